#pragma once
// The editor's transport: the play commands of the engine's Transport, and moving the play
// position from the canvas (a click seeks, a drag scrubs). Every wait is bounded.

#include "engine/transport.h"

#include <cstdint>

class TransportControl {
public:
    TransportControl(EngineState& state, Transport::Notify notify) : s_(state), commands_(state, std::move(notify)) {}

    // Playing, or the clock of the lead-in or run-out runs.
    bool Playing() const;
    // A click on the canvas at time t: while stopped or paused only the position moves;
    // while playing playback goes on from t.
    void SeekTo(int32_t t);
    // A drag on the canvas: moves the position while nothing plays; never waits.
    void ScrubTo(int32_t t);

    void Run(TransportCommand command);
    bool Enabled(TransportCommand command, bool summaryLoaded) const
    {
        return commands_.Enabled(command, summaryLoaded);
    }
    Transport& Commands() { return commands_; }

private:
    EngineState& s_;
    Transport commands_;
};
