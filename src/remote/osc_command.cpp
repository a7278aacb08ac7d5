#include "remote/osc_command.h"

#include "common/text_codec.h"

#include <algorithm>

namespace {

// Two characters as a decimal number; -1 when they are not one.
int TwoDigits(const std::string& text, size_t at)
{
    const char a = text[at], b = text[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return -1;
    return (a - '0') * 10 + (b - '0');
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return s;
}

// OSC strings are UTF-8; the status shows whatever arrives as valid text.
std::string Shown(const std::string& bytes) { return ValidUtf8(bytes); }

} // namespace

std::optional<int32_t> ParseOscTime(const std::string& text)
{
    if (text.size() != 11)
        return std::nullopt;
    const int h = TwoDigits(text, 0), m = TwoDigits(text, 3), s = TwoDigits(text, 6), c = TwoDigits(text, 9);
    if (h < 0 || h > 99 || m < 0 || m > 59 || s < 0 || s > 59 || c < 0 || c > 99)
        return std::nullopt;
    return (h * 3600 + m * 60 + s) * 1000 + c * 10;
}

std::optional<OscCommand> InterpretOsc(const TOscUnit& unit, int32_t soundDuration)
{
    const std::string prefix = OscPrefix;
    if (!unit.Address.starts_with(prefix))
        return std::nullopt;
    const std::string command = unit.Address.substr(prefix.size());
    OscCommand out;
    out.status = "OSC: " + Shown(command) + " ";
    auto fail = [&out](const char* text, const char* reason = OscReasonBadArgument) {
        out.kind = OscCommand::Kind::Failed;
        out.status += std::string(" ERR:") + text;
        out.reason = reason;
        return out;
    };
    const bool numbers = unit.IntCount > 0 || unit.FloatCount > 0;
    if (command == "play") {
        if (numbers || unit.StringCount > 1)
            return fail(OscInvalidParameter);
        if (unit.StringCount == 0) {
            out.kind = OscCommand::Kind::Play;
            return out;
        }
        const std::string& arg = unit.StringArgs[0];
        if (Lower(arg) == "top") {
            out.status += "top";
            out.kind = OscCommand::Kind::TopPlay;
            return out;
        }
        const std::optional<int32_t> t = ParseOscTime(arg);
        if (!t || *t > soundDuration)
            return fail(OscInvalidParameter);
        out.status += Shown(arg);
        out.kind = OscCommand::Kind::PlayAt;
        out.time = *t;
        return out;
    }
    if (command == "stop" || command == "pause" || command == "status") {
        // Any argument at all, of whatever type a valid tag names. (An invalid tag means a
        // datagram that failed after its address: its command runs without arguments.)
        if (unit.TypeTag.size() > 1 && unit.TypeTag[0] == ',')
            return fail(OscInvalidParameter);
        out.kind = command == "stop"    ? OscCommand::Kind::Stop
                   : command == "pause" ? OscCommand::Kind::Pause
                                        : OscCommand::Kind::Status;
        return out;
    }
    return fail(OscUndefinedAddress, OscReasonUnknownAddress);
}
