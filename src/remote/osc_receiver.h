#pragma once
// The OSC read handler: takes each received datagram apart, runs the transport command it
// names and gives the status text that reports it. User interface thread only; the window
// holds its change guard around each call.

#include "engine/transport.h"
#include "remote/osc_command.h"
#include "remote/osc_unit.h"

#include <functional>
#include <optional>
#include <span>
#include <string>

class OscReceiver {
public:
    struct Hooks {
        // Whether the play commands may run (the editor: a waveform summary is loaded).
        std::function<bool()> summaryLoaded;
        // After a start at a given time: the window scrolls the play position into view.
        std::function<void()> showPlayPosition;
    };

    OscReceiver(EngineState& state, Transport& transport, Hooks hooks);

    // The status text for the datagram, or nothing when it leaves the status unchanged
    // (its address lies outside the prefix).
    std::optional<std::string> OscServerUDPRead(std::span<const uint8_t> datagram);

    const TOscUnit& Unit() const { return unit_; }

private:
    void Run(const OscCommand& command);
    void StartAt(int32_t t);
    bool Enabled(TransportCommand command) const;

    EngineState& s_;
    Transport& transport_;
    Hooks hooks_;
    TOscUnit unit_;
};
