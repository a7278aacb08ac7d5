#include "common/time_text.h"

#include <cstdio>

namespace {

// |v| without overflow for INT32_MIN.
uint32_t Magnitude(int32_t v) { return v < 0 ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v); }

} // namespace

std::string TimeText(int32_t ms)
{
    const uint32_t a = Magnitude(ms);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%02u:%02u:%02u.%02u", ms < 0 ? "-" : "", a / 3600000u, a / 60000u % 60u,
                  a / 1000u % 60u, a / 10u % 100u);
    return buf;
}

std::string RulerText(int32_t seconds)
{
    const uint32_t a = Magnitude(seconds);
    const char* sign = seconds < 0 ? "-" : "";
    char buf[32];
    if (a >= 3600)
        std::snprintf(buf, sizeof buf, "%s%2u:%02u:%02u", sign, a / 3600u, a / 60u % 60u, a % 60u);
    else if (a >= 60)
        std::snprintf(buf, sizeof buf, "%s%2u:%02u", sign, a / 60u, a % 60u);
    else
        std::snprintf(buf, sizeof buf, "%s%02u", sign, a);
    return buf;
}
