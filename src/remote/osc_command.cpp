#include "remote/osc_command.h"

#include "common/text_codec.h"
#include "common/translation.h"

#include <algorithm>
#include <iterator>
#include <string_view>

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

// The arguments as the commands take them. A type tag that is missing or not one leaves
// the command without arguments.
struct Arguments {
    std::string types; // the type tag without its comma
    double number = 0; // of one "i" or "f"

    explicit Arguments(const TOscUnit& unit)
    {
        if (!unit.TypeTag.starts_with(','))
            return;
        types = unit.TypeTag.substr(1);
        if (types == "i" && unit.IntCount == 1)
            number = unit.IntArgs[0];
        else if (types == "f" && unit.FloatCount == 1)
            number = double(unit.FloatArgs[0]);
    }
    bool None() const { return types.empty(); }
    bool OneNumber() const { return types == "i" || types == "f"; }
    bool OneString() const { return types == "s"; }
};

// A reply port: a whole number 1 to 65535.
std::optional<uint16_t> PortOf(double number)
{
    if (number < 1 || number > 65535 || number != double(int32_t(number)))
        return std::nullopt;
    return uint16_t(number);
}

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
        out.status += " ERR:" + Translated("Core", text);
        out.reason = reason;
        return out;
    };
    const Arguments args(unit);
    static constexpr std::string_view Commands[] = {"play", "stop", "pause", "status", "subscribe", "unsubscribe"};
    const bool known = std::find(std::begin(Commands), std::end(Commands), command) != std::end(Commands);
    if (known && args.OneNumber() && args.number == 0) {
        out.kind = OscCommand::Kind::Release;
        return out;
    }
    if (command == "play") {
        if (args.None() || args.OneNumber()) {
            out.kind = OscCommand::Kind::Play;
            return out;
        }
        if (!args.OneString())
            return fail(OscInvalidParameter);
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
        if (!args.None() && !args.OneNumber())
            return fail(OscInvalidParameter);
        out.kind = command == "stop"    ? OscCommand::Kind::Stop
                   : command == "pause" ? OscCommand::Kind::Pause
                                        : OscCommand::Kind::Status;
        return out;
    }
    if (command == "subscribe" || command == "unsubscribe") {
        if (args.OneNumber()) {
            const std::optional<uint16_t> port = PortOf(args.number);
            if (!port)
                return fail(OscInvalidParameter);
            out.port = *port;
            out.status += std::to_string(*port);
        } else if (!args.None()) {
            return fail(OscInvalidParameter);
        }
        out.kind = command == "subscribe" ? OscCommand::Kind::Subscribe : OscCommand::Kind::Unsubscribe;
        return out;
    }
    return fail(OscUndefinedAddress, OscReasonUnknownAddress);
}
