#pragma once
// The one status line lumenrill-cli play keeps on a terminal: time, state and show, rewritten
// in place. Other lines (OSC status texts) go above it. When the output is no terminal the
// status line is left out and other lines are printed plainly, as a log wants them.

#include "engine/engine_state.h"

#include <cstdint>
#include <ostream>
#include <string>

// "hh:mm:ss.cc  playing  show.PRJ"; the free-running clock of the lead-in and run-out counts
// as playing.
std::string PlayStatusText(int32_t positionMs, AudioStateKind audio, bool clockRunning, const std::string& show);

class LiveStatusLine {
public:
    LiveStatusLine(std::ostream& out, bool terminal) : out_(out), terminal_(terminal) {}

    // Rewrites the status line when its text changed.
    void Show(const std::string& text);
    // A line of its own, above the status line.
    void Print(const std::string& line);
    // Leaves the status line standing and moves below it.
    void End();

private:
    std::ostream& out_;
    bool terminal_;
    std::string shown_;
};
