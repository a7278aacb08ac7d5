// Any text typed into any patch cell: the first two bytes pick the cell's entry, the rest is
// the text. What it writes agrees with the source number it names and stays inside the patch.
#include "dialogs/patch_text.h"
#include "document/play_globals.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Cased(std::string text, int (*change)(int))
{
    for (char& c : text)
        c = char(change(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int entry = (data[0] | data[1] << 8) % DmxSlots;
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
    const int n = PatchTextNumber(text);
    const auto sources = PatchTextSources(text, entry);
    if (sources.has_value() != (n == -1 || (n >= 1 && n <= 24)))
        std::abort();
    if (sources) {
        const size_t room = size_t(DmxSlots - entry);
        if (sources->empty() || sources->size() > std::min<size_t>(3, room))
            std::abort();
        if (n == -1 && *sources != std::vector<int32_t>{-1})
            std::abort();
        // A red source brings its line's green and blue; any other source comes alone.
        if (n != -1 && (sources->front() != n - 1 || (sources->size() > 1 && (n - 1) % 3 != 0) ||
                        ((n - 1) % 3 == 0 && sources->size() != std::min<size_t>(3, room))))
            std::abort();
        for (size_t i = 1; i < sources->size(); ++i)
            if ((*sources)[i] != (*sources)[i - 1] + 1)
                std::abort();
    }
    // Letter case and blanks around the text do not matter.
    if (PatchTextNumber(Cased(text, ::tolower)) != n || PatchTextNumber(Cased(text, ::toupper)) != n ||
        PatchTextNumber(" " + text + "  ") != n)
        std::abort();
    return 0;
}
