// Any bytes from a peer of the hand-over, in pieces of any size and against a small bound
// (the first two bytes choose both): the paths and the refusal are those of the whole
// stream read line by line, whatever the pieces.
#include "common/hand_over_lines.h"

#include <cstdlib>

namespace {

struct Outcome {
    std::vector<std::string> paths;
    bool refused = false;
    bool operator==(const Outcome&) const = default;
};

// The rule, spelt out over the whole stream.
Outcome Expected(std::string_view bytes, size_t maxLine)
{
    Outcome o;
    for (;;) {
        const size_t end = bytes.find('\n');
        const std::string_view line = bytes.substr(0, end);
        if (line.size() > maxLine) {
            o.refused = true;
            return o;
        }
        if (end == std::string_view::npos)
            return o;
        if (!line.empty() && line.find('\0') == std::string_view::npos)
            o.paths.emplace_back(line);
        bytes.remove_prefix(end + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t maxLine = data[0] % 64;
    unsigned pieces = data[1] | 1u;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);

    HandOverLines lines(maxLine);
    Outcome got;
    for (size_t at = 0; at < bytes.size();) {
        pieces = pieces * 1103515245u + 12345u;
        const size_t n = std::min<size_t>(bytes.size() - at, 1 + (pieces >> 16) % 40);
        for (std::string& path : lines.Take(bytes.substr(at, n)))
            got.paths.push_back(std::move(path));
        at += n;
    }
    got.refused = lines.Refused();
    if (!(got == Expected(bytes, maxLine)))
        std::abort();
    return 0;
}
