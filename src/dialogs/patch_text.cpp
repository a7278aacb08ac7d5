#include "dialogs/patch_text.h"

#include "document/play_globals.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

// A whole decimal number with an optional sign; 0 for anything else.
int NumberOrZero(const std::string& text)
{
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last && first != last ? value : 0;
}

} // namespace

int PatchTextNumber(const std::string& text)
{
    std::string u;
    for (char c : text)
        u += char(std::toupper(static_cast<unsigned char>(c)));
    const size_t begin = u.find_first_not_of(' ');
    if (begin == std::string::npos)
        return -1;
    u = u.substr(begin, u.find_last_not_of(' ') - begin + 1);
    if (u == "0")
        return -1;
    const size_t p = u.find_last_of(",.-:RGB");
    // A marker at the very start is a sign or nothing: the whole text is the number.
    if (p == std::string::npos || p == 0)
        return NumberOrZero(u);
    const int line = NumberOrZero(u.substr(0, p));
    if (line < 1 || line > 8)
        return 0;
    switch (u[p]) {
    case 'B':
        return 3 * line;
    case 'G':
        return 3 * line - 1;
    case 'R':
        return 3 * line - 2;
    default: {
        const int k = NumberOrZero(u.substr(p + 1));
        return k >= 1 && k <= 3 ? 3 * line + k - 3 : 0;
    }
    }
}

std::optional<std::vector<int32_t>> PatchTextSources(const std::string& text, int entry)
{
    const int n = PatchTextNumber(text);
    if (n == -1)
        return std::vector<int32_t>{-1};
    if (n < 1 || n > 24)
        return std::nullopt;
    std::vector<int32_t> sources{n - 1};
    if ((n - 1) % 3 == 0)
        sources = {n - 1, n, n + 1};
    sources.resize(size_t(std::clamp(DmxSlots - entry, 0, int(sources.size()))));
    return sources;
}
