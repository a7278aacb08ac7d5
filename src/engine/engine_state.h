#pragma once
// What the playback engine shares with the user interface: positions, the play clock,
// the transport requests and the output colours. Both threads touch every value here, so
// each is atomic. A request flag is set by the user interface (RestartRequest also by the
// tick, for repeat play) and cleared only by the tick, once the request has taken effect.

#include "document/play_globals.h"
#include "document/step_rec.h"
#include "engine/dmx_frame.h"
#include "engine/ms_clock.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

enum class AudioStateKind : uint8_t { None, Stopped, Paused, Playing };

// "stopped", "paused", "playing", and "" for None.
const char* AudioStateText(AudioStateKind state);
// The player's state word: 0 stopped, 1 paused, 2 playing; anything else is None.
AudioStateKind AudioStateFromPlayer(int state);

class EngineState {
public:
    explicit EngineState(PlayGlobals& play = Globals(), const MsClock& clock = SystemClock());
    EngineState(const EngineState&) = delete;
    EngineState& operator=(const EngineState&) = delete;

    // DmxPatch, PrePlayTime, PostPlayTime, PlayPosition and SoundDuration live here, shared
    // with the show document.
    PlayGlobals& Play;
    const MsClock& Clock;

    std::atomic<int32_t> AudioPosition{0}; // player position read at the last tick
    std::atomic<int32_t> TotalLength{0};   // PrePlayTime + SoundDuration + PostPlayTime
    std::atomic<bool> SoundLoaded{false};  // the show has a sound file assigned
    std::atomic<AudioStateKind> AudioState{AudioStateKind::None};
    std::atomic<bool> AudioOutputOk{false}; // the output could be opened at the last open

    // The free-running play clock. Change it only through StartClock, StopClock and
    // PauseClock, which publish it as a whole; reading single values needs nothing.
    std::atomic<bool> ClockRunning{false};
    std::atomic<bool> ClockPaused{false};
    std::atomic<int32_t> ClockBasePosition{0};
    std::atomic<uint32_t> ClockBaseTick{0};
    std::atomic<int32_t> ClockPosition{0};

    // One-shot transport requests.
    std::atomic<bool> OpenAudioRequest{false};
    std::atomic<bool> CloseAudioRequest{false};
    std::atomic<bool> RunRequest{false};
    std::atomic<bool> RestartRequest{false};
    std::atomic<bool> StopRequest{false};
    std::atomic<bool> PauseRequest{false};
    std::atomic<bool> ResumeRequest{false};
    // Set by the tick when repeat play jumps back to the start; cleared by the display.
    std::atomic<bool> RepeatRestarted{false};
    // Between a play command and the stop command.
    std::atomic<bool> TransportActive{false};
    // How often the show has played to its end: the run-out is over, or the sound ended
    // with no run-out and repeat off. Counted by the tick, for whoever waits for the end.
    std::atomic<uint32_t> ShowEnds{0};

    // Shown on the current line instead of its own colour, or NoColor.
    std::atomic<uint32_t> PreviewColor{NoColor};
    // The output colour of each line at the last tick.
    std::array<std::atomic<uint32_t>, LineCount> LineOutput{};

    // The sound file the next OpenAudioRequest opens.
    void SetSoundPath(const std::string& path);
    std::string SoundPath() const;

    // Starts the clock at p: the one way to start it, for the commands and the tick.
    void StartClock(int32_t p);
    // Moves the play position to t and posts a seek there: the request and its target are
    // one value, so neither can be posted without the other, and the last seek posted wins.
    // Returns the seek's number for SeekTaken.
    uint32_t PostSeek(int32_t t);
    // Whether the tick has taken seek number n (or a later one).
    bool SeekTaken(uint32_t n) const;
    bool SeekPending() const;

    // The tick's side: the newest seek not yet taken, as its number and target. The tick
    // publishes the target as PlayPosition and then calls SeekDone, so a waiter reads it.
    bool PendingSeek(uint32_t* n, int32_t* target) const;
    void SeekDone(uint32_t n);
    void StopClock();
    // The pause command on the clock: holds a running clock, or lets a held one go on from
    // where it stood. False (and nothing changes) when the clock is not running.
    bool PauseClock();
    // The tick's first step: ClockPosition follows the counter while the clock runs.
    void AdvanceClock();
    // Moves a running clock's reading by ms from here on (the tick lines the lead-in up
    // with the sound's start). Nothing when the clock is not running.
    void NudgeClock(int32_t ms);

    // The tick's use of the clock for the play position. Returns false when the clock is
    // not running. Otherwise, with the lead-in ending (position < 0 and the clock at 0 or
    // beyond), stops the clock and sets *leadInEnded; else gives the clock's reading in
    // *clockPosition and stops the clock at or beyond runOutEnd, setting *runOutEnded.
    bool FollowClock(int32_t position, int64_t runOutEnd, int32_t* clockPosition, bool* leadInEnded,
                     bool* runOutEnded);

private:
    // The newest seek: its number in the high 32 bits, its target in the low 32.
    std::atomic<uint64_t> seek_{0};
    std::atomic<uint32_t> seekTaken_{0};
    // Writers of the clock are the user interface and the tick; this keeps each change and
    // each reading whole.
    mutable std::mutex clockMutex_;
    mutable std::mutex pathMutex_;
    std::string soundPath_;
};

// Sleeps 10 ms at a time, at most 100 times, until taken() holds. False when it still does
// not after about one second.
bool WaitForTick(const std::function<bool()>& taken);
// As WaitForTick, then in 1 ms steps for up to ten seconds more: for a request whose effect
// the caller must see. A tick that never comes (the worker has ended) cannot freeze it.
bool WaitForTickLong(const std::function<bool()>& taken);

// Sets flag, then waits until the tick has cleared it (WaitForTick). False when it is still
// pending after about one second (it stays set).
bool RequestAndWait(std::atomic<bool>& flag);
// Sets flag and waits as WaitForTickLong.
bool RequestAndWaitTaken(std::atomic<bool>& flag);
// Posts a seek to t and waits until the tick has taken it (WaitForTick).
bool SeekAndWait(EngineState& state, int32_t t);
// The same with WaitForTickLong.
bool SeekAndWaitTaken(EngineState& state, int32_t t);
