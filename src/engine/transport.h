#pragma once
// The transport commands (play from the top, play, pause, stop, go to the start or the end
// of the sound, 0.1 s steps) and when each is enabled. Free of windows, so that the editor,
// the OSC receiver and lumenrill-cli drive the show through this one piece of code. The
// commands only leave requests and clock values for the tick; what only a window can do is
// handed to the caller as a notice. User interface thread only.

#include "engine/engine_state.h"

#include <atomic>
#include <cstdint>
#include <functional>

enum class TransportCommand : uint8_t { TopPlay, Play, Pause, Stop, ToTopPos, ToEndPos, PrvTim, NxtTim };

enum class TransportNotice : uint8_t {
    ScrollToFarLeft, // play from the top: scroll the canvas to position 0
    ShowSoundStart,  // the start of the sound 16 px from the left edge; repaint the canvas
    ShowSoundEnd,    // the end of the sound 16 px from the right edge; repaint the canvas
    PlayCursorMoved, // move the play cursor to PlayPosition
    OutputChanged,   // repaint the colour monitor if it is visible
};

class Transport {
public:
    using Notify = std::function<void(TransportNotice)>;
    // Called after a request has been posted: waits until taken() holds, as WaitForTick
    // does (tests run the tick instead).
    using Wait = std::function<void(const std::function<bool()>& taken)>;

    explicit Transport(EngineState& state, Notify notify = {}, Wait wait = {});

    void TopPlayAction();
    void PlayAction();
    void PauseAction();
    void StopAction();
    void ToTopPosAction();
    void ToEndPosAction();
    void PrvTimAction();
    void NxtTimAction();

    // summaryLoaded: the waveform summary has at least one frame.
    bool Enabled(TransportCommand command, bool summaryLoaded) const;

private:
    void JumpTo(bool toEnd);
    void Request(std::atomic<bool>& flag);
    void Seek(int32_t t);
    void Tell(TransportNotice notice) const;

    EngineState& s_;
    Notify notify_;
    Wait wait_;
};
