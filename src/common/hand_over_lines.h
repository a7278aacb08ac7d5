#pragma once
// The running program's side of a show handed over by a second start: the bytes one peer
// sends, cut into lines, one show path each, ended by '\n'. A line is taken exactly as sent
// (a file name may end in a blank). A line may not grow past a bound: a peer that keeps
// sending without a line end is refused, so it cannot make the program hold ever more.

#include <climits>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class HandOverLines {
public:
    // A few times the longest path the system opens: room for any show, none for a flood.
    static constexpr size_t DefaultMaxLine = 4 * PATH_MAX;

    explicit HandOverLines(size_t maxLine = DefaultMaxLine) : maxLine_(maxLine) {}

    // Takes the next bytes and returns the paths of the lines they complete. Empty lines and
    // lines holding a NUL (no path has one) are left out. Once a line runs longer than
    // maxLine bytes without its '\n', the peer is refused: nothing more comes out.
    std::vector<std::string> Take(std::string_view bytes);
    bool Refused() const { return refused_; }

private:
    size_t maxLine_;
    std::string partial_; // the line begun and not yet ended, never longer than maxLine_
    bool refused_ = false;
};
