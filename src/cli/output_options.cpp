#include "cli/output_options.h"

#include "cli/cli_support.h"
#include "common/paths.h"
#include "runtime/output_settings.h"
#include "settings/env_data.h"

#include <filesystem>

bool IsOutputOption(const std::string& option)
{
    return option == "--artnet" || option == "--artnet-interface" || option == "--sacn" || option == "--sacn-universe"
           || option == "--sacn-priority";
}

bool ParseOutputOption(const std::string& option, const std::string& value, OutputConfig& config)
{
    if (option == "--artnet-interface") {
        config.Artnet.Interface = value;
        return true;
    }
    OutputCheck check;
    if (option == "--artnet") {
        // "list" is the stored name of a list given here by its addresses.
        if (const std::optional<ArtnetMode> mode = ParseArtnetMode(value); mode && *mode != ArtnetMode::List) {
            config.Artnet.Mode = *mode;
            return true;
        }
        if (value.empty() || value[0] < '0' || value[0] > '9') {
            Fail(ExitUsage, "--artnet: \"" + value + "\" is none of broadcast, limited, unicast, off, nor IPv4 addresses");
            return false;
        }
        check = ParseAddressList(value, config.Artnet.Addresses);
        if (check)
            config.Artnet.Mode = ArtnetMode::List;
    } else if (option == "--sacn") {
        if (value == "multicast" || value == "off") {
            config.Sacn.Mode = *ParseSacnMode(value);
            return true;
        }
        check = ParseAddressList(value, config.Sacn.Unicast);
        if (check)
            config.Sacn.Mode = SacnMode::Unicast;
    } else {
        const std::optional<int32_t> n = ParseInt32(value);
        const bool universe = option == "--sacn-universe";
        const int32_t low = universe ? SacnUniverseMin : SacnPriorityMin;
        const int32_t high = universe ? SacnUniverseMax : SacnPriorityMax;
        if (!n || *n < low || *n > high)
            check = {universe ? OutputProblem::Universe : OutputProblem::Priority, value};
        else
            (universe ? config.Sacn.Universe : config.Sacn.Priority) = *n;
    }
    if (!check)
        Fail(ExitUsage, option + ": " + CliOutputProblemText(check));
    return bool(check);
}

std::string CliOutputProblemText(const OutputCheck& check)
{
    const std::string value = "\"" + check.Value + "\"";
    switch (check.Problem) {
    case OutputProblem::Address:
        return value + " is no IPv4 address";
    case OutputProblem::NoAddress:
        return "no sACN unicast address given";
    case OutputProblem::NoArtnetAddress:
        return "no Art-Net address given";
    case OutputProblem::PortAddress:
        return "Art-Net Port-Address " + value + " is not within 0-32767";
    case OutputProblem::Universe:
        return "sACN universe " + value + " is not within 1-63999";
    case OutputProblem::Priority:
        return "sACN priority " + value + " is not within 0-200";
    case OutputProblem::Ttl:
        return "sACN TTL " + value + " is not within 1-255";
    case OutputProblem::Interface:
        return "sACN interface " + value + " has no IPv4 address";
    case OutputProblem::Socket:
        return "sACN socket: " + check.Value;
    case OutputProblem::None:
        break;
    }
    return {};
}

SacnCid StoredSacnCid()
{
    const std::string path = ChooseSettingsPath(ExeDir(), {}, false);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return NewSacnCid();
    return ReadOutputSettings(IniFile(path)).Sacn.Cid;
}
