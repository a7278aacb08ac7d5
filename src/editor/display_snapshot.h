#pragma once
// What one tick of the display timer shows: the time text and its colour, the play cursor
// and whether the view pages, the scroll after a repeat restart, and the network and audio
// status. Computed from the engine's state without Qt; the main window applies the result.
// The transport commands' enabling comes from Transport::Enabled.

#include "editor/time_axis.h"
#include "engine/engine_state.h"

#include <cstdint>
#include <optional>
#include <string>

inline constexpr uint32_t LeadInTimeColor = 0x808000;  // teal (0x00BBGGRR)
inline constexpr uint32_t RunOutTimeColor = 0xFF00FF;  // magenta
inline constexpr uint32_t SoundTimeColor = 0xFFFFFF;   // white

struct DisplayInput {
    // Taken from the engine, which clears it in the same step (exchange(false)), so that a
    // restart reported in between is not lost.
    bool RepeatRestarted = false;
    bool SocketReady = false; // the Art-Net socket is bound
    int NodeCount = 0;        // nodes that answered the poll
    bool SendFailing = false; // the latest frame could not be sent (network down)
    std::string Outputs;      // what is sent and where (OutputSummary)
    TimeAxis Axis;            // the canvas mapping now
    int PlayCursorX = 0;      // as drawn
    int ScrollPosition = 0;
    int ClientWidth = 0;
};

struct DisplaySnapshot {
    // Where to scroll first: the start of the sound near the left edge after a repeat restart.
    std::optional<int> RestartScroll;
    std::string TimeText;
    uint32_t TimeColor = SoundTimeColor;
    PlayCursorMove Cursor; // the play cursor and paging, after RestartScroll
    std::string Status;    // status panel 0
};

// "-hh:mm:ss.cc" in the lead-in, "+..." in the run-out, " ..." inside the sound.
std::string PositionText(int32_t playPosition, int32_t soundDuration);
uint32_t PositionColor(int32_t playPosition, int32_t soundDuration);
// "NET:" + "NG" / "--" / "OK" + "  Audio:" + "OK" / "NG", then two blanks and outputs
// when there are any to name. NG also while sends fail.
std::string NetAudioStatus(bool socketReady, int nodeCount, bool audioOutputOk, bool sendFailing = false,
                           const std::string& outputs = {});

DisplaySnapshot TakeDisplaySnapshot(const EngineState& state, const DisplayInput& in);
