#include "cli/core_english.h"

#include <algorithm>
#include <cstring>
#include <string_view>

std::string EnglishCoreText(const char* context, const char* text)
{
    if (std::string_view(context) != "Core")
        return text;
    const CoreEnglishText* end = CoreEnglishTable + CoreEnglishCount;
    const auto before = [](const CoreEnglishText& e, const char* t) { return std::strcmp(e.Source, t) < 0; };
    const CoreEnglishText* found = std::lower_bound(CoreEnglishTable, end, text, before);
    return found != end && std::strcmp(found->Source, text) == 0 ? found->English : text;
}
