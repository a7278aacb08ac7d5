#pragma once
// What a decoded OSC datagram asks the show to do, and the status text that reports it.

#include "common/translation.h"
#include "remote/osc_unit.h"

#include <cstdint>
#include <optional>
#include <string>

inline constexpr const char* OscPrefix = "/lumenrill/";
inline constexpr const char* OscInvalidParameter = TRANSLATABLE_TEXT("Core", "パラメーターが間違っています。");
inline constexpr const char* OscUndefinedAddress = TRANSLATABLE_TEXT("Core", "未定義アドレス");

// Why a command was not carried out, as the error reply says it to the sender.
inline constexpr const char* OscReasonUnknownAddress = "unknown address";
inline constexpr const char* OscReasonBadArgument = "bad argument";
inline constexpr const char* OscReasonNoShow = "no show";
inline constexpr const char* OscReasonNoAudioOutput = "no audio output";
inline constexpr const char* OscReasonNotPlaying = "not playing";
inline constexpr const char* OscReasonBusy = "busy";

// A command takes no argument, or one number as a surface's button sends it: a non-zero
// value (a press) runs the command, a zero (a release) is no command at all. "play" takes
// a string instead ("top" or a time), "subscribe" and "unsubscribe" a port.
struct OscCommand {
    enum class Kind { Play, TopPlay, PlayAt, Stop, Pause, Status, Subscribe, Unsubscribe, Release, Failed };
    Kind kind = Kind::Failed;
    int32_t time = 0;   // PlayAt: ms from the start of the sound
    uint16_t port = 0;  // Subscribe, Unsubscribe: where feedback goes; 0: the sender's port
    std::string status; // "OSC: " + command + " " (+ argument, or + " ERR:" + text)
    std::string reason; // Failed: why, for the error reply
};

// Nothing when the address lies outside the prefix (the datagram is ignored, the status
// stays as it was). soundDuration: the length of the sound in ms, the latest time that
// "play" accepts.
std::optional<OscCommand> InterpretOsc(const TOscUnit& unit, int32_t soundDuration);

// "hh:mm:ss.cc" (any separators) in ms, or nothing when it is no such time.
std::optional<int32_t> ParseOscTime(const std::string& text);
