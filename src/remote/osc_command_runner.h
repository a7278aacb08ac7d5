#pragma once
// Carries out the OSC transport commands on the user interface thread without ever waiting
// for the playback tick: a step posts its requests and returns at once, and the next step
// runs from Poll once the tick has taken every request; the next command a frame later,
// when the tick has read the player's new state (a pause right after a play must find the
// show playing). The owner
// calls Poll soon and often while Busy. Commands wait their turn in a short queue; a full
// queue refuses more, so that a flood costs a bounded amount of work and memory.
//
// A play at a time moves the sound: while the show plays inside the sound it is a seek
// alone (the player keeps running), otherwise a stop, a seek and a start. Plays at a time
// that queue up behind one another count as the last of them (as the last seek posted
// wins), and one begins at least PlayAtSpacingMs after the previous one was carried out:
// a surface that sends a stream of them cannot keep the player moving every frame, and the
// lights keep their frame grid.

#include "engine/transport.h"
#include "remote/osc_command.h"
#include "remote/osc_endpoints.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class OscCommandRunner {
public:
    struct Hooks {
        // Whether the play commands may run (the editor: a waveform summary is loaded).
        std::function<bool()> summaryLoaded;
        // After a start at a given time: the window scrolls the play position into view.
        std::function<void()> showPlayPosition;
    };
    // A command taken up, and what its sender is told.
    struct Started {
        OscCommand command;
        std::string address; // as it came
        OscEndpoint from;
        std::string error; // why it was not carried out; empty when it was
        bool superseded = false; // a play at a time that a later one took the place of
    };

    static constexpr size_t MaxWaiting = 16;
    // How long after its last request was taken a command counts as heard of: a frame of
    // the tick, and a little.
    static constexpr uint32_t SettleMs = 25;
    static constexpr uint32_t PlayAtSpacingMs = 250;

    // notify: the transport's notices, as the window's own commands give them.
    OscCommandRunner(EngineState& state, Transport::Notify notify, Hooks hooks);

    // Queues a transport command (play, play at a time, stop, pause); false when the queue
    // is full.
    bool Post(OscCommand command, std::string address, const OscEndpoint& from);
    // Runs every step the tick lets run now; the commands taken up meanwhile.
    std::vector<Started> Poll();
    bool Busy() const { return !waiting_.empty() || step_ != Step::Idle; }

private:
    // The steps of a start at a given time, each once the tick has taken the one before.
    enum class Step { Idle, Seek, Start, StartClock, Finish };

    // Takes a command up: why it cannot run, or an empty text.
    std::string Begin(const OscCommand& command);
    // Whether the next waiting command must wait for the spacing of plays at a time.
    bool PlayAtWaits(uint32_t now) const;
    void Advance();
    bool Enabled(TransportCommand command) const;
    bool SummaryLoaded() const;

    EngineState& s_;
    Transport transport_;
    Hooks hooks_;
    std::deque<Started> waiting_;
    Step step_ = Step::Idle;
    int32_t startAt_ = 0;
    std::optional<uint32_t> pendingSeenAt_; // when a request was last seen not yet taken
    std::optional<uint32_t> lastPlayAtAt_;  // when the last play at a time was carried out
    std::vector<Started> superseded_;       // answered at the next Poll
};
