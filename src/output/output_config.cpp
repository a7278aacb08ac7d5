#include "output/output_config.h"

#include <random>

namespace {

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

OutputCheck ParseAddressList(std::string_view text, std::vector<uint32_t>& addresses)
{
    std::vector<uint32_t> parsed;
    while (!Trimmed(text).empty()) {
        const size_t comma = text.find(',');
        const std::string_view item = Trimmed(text.substr(0, comma));
        const std::optional<uint32_t> address = ParseIpv4(item);
        if (!address)
            return {OutputProblem::Address, std::string(item)};
        parsed.push_back(*address);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        if (comma != std::string_view::npos && Trimmed(text).empty())
            return {OutputProblem::Address, ""}; // a trailing comma: an empty entry
    }
    if (parsed.empty())
        return {OutputProblem::NoAddress, ""};
    addresses = std::move(parsed);
    return {};
}

std::string AddressListText(const std::vector<uint32_t>& addresses)
{
    std::string text;
    for (uint32_t a : addresses)
        text += (text.empty() ? "" : ",") + Ipv4Text(a);
    return text;
}

OutputCheck CheckSacnConfig(const SacnConfig& config)
{
    if (config.Universe < SacnUniverseMin || config.Universe > SacnUniverseMax)
        return {OutputProblem::Universe, std::to_string(config.Universe)};
    if (config.Priority < SacnPriorityMin || config.Priority > SacnPriorityMax)
        return {OutputProblem::Priority, std::to_string(config.Priority)};
    if (config.Ttl < SacnTtlMin || config.Ttl > SacnTtlMax)
        return {OutputProblem::Ttl, std::to_string(config.Ttl)};
    if (config.Mode == SacnMode::Unicast && config.Unicast.empty())
        return {OutputProblem::NoAddress, ""};
    return {};
}

OutputCheck CheckArtnetConfig(const ArtnetConfig& config)
{
    if (config.Mode == ArtnetMode::List && config.Addresses.empty())
        return {OutputProblem::NoArtnetAddress, ""};
    return {};
}

const char* ArtnetModeName(ArtnetMode mode)
{
    switch (mode) {
    case ArtnetMode::Limited:
        return "limited";
    case ArtnetMode::Unicast:
        return "unicast";
    case ArtnetMode::List:
        return "list";
    case ArtnetMode::Off:
        return "off";
    case ArtnetMode::Broadcast:
        break;
    }
    return "broadcast";
}

std::optional<ArtnetMode> ParseArtnetMode(std::string_view text)
{
    for (ArtnetMode mode :
         {ArtnetMode::Broadcast, ArtnetMode::Limited, ArtnetMode::Unicast, ArtnetMode::List, ArtnetMode::Off})
        if (text == ArtnetModeName(mode))
            return mode;
    return std::nullopt;
}

const char* SacnModeName(SacnMode mode)
{
    switch (mode) {
    case SacnMode::Multicast:
        return "multicast";
    case SacnMode::Unicast:
        return "unicast";
    case SacnMode::Off:
        break;
    }
    return "off";
}

std::optional<SacnMode> ParseSacnMode(std::string_view text)
{
    for (SacnMode mode : {SacnMode::Off, SacnMode::Multicast, SacnMode::Unicast})
        if (text == SacnModeName(mode))
            return mode;
    return std::nullopt;
}

SacnCid NewSacnCid()
{
    std::random_device random;
    SacnCid cid{};
    for (size_t i = 0; i < cid.size(); i += 4) {
        const uint32_t r = random();
        for (size_t k = 0; k < 4; ++k)
            cid[i + k] = uint8_t(r >> (8 * k));
    }
    cid[6] = uint8_t((cid[6] & 0x0F) | 0x40); // version 4: random
    cid[8] = uint8_t((cid[8] & 0x3F) | 0x80); // the RFC 4122 variant
    return cid;
}

std::string CidText(const SacnCid& cid)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < cid.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text += '-';
        text += digits[cid[i] >> 4];
        text += digits[cid[i] & 0x0F];
    }
    return text;
}

std::optional<SacnCid> ParseCid(std::string_view text)
{
    if (text.size() != 36)
        return std::nullopt;
    SacnCid cid{};
    size_t at = 0;
    for (size_t i = 0; i < cid.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            if (text[at++] != '-')
                return std::nullopt;
        }
        const int high = HexDigit(text[at]), low = HexDigit(text[at + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        cid[i] = uint8_t(high << 4 | low);
        at += 2;
    }
    // An all-zero CID names no source.
    if (cid == SacnCid{})
        return std::nullopt;
    return cid;
}

std::string OutputSummary(const OutputConfig& config, const std::string& artnetDestination)
{
    const std::string artnet = config.Artnet.Mode == ArtnetMode::Off ? "" : "Art-Net " + artnetDestination;
    if (config.Sacn.Mode == SacnMode::Off)
        return artnet.empty() ? "Art-Net off" : artnet;
    std::string sacn = "sACN " + std::to_string(config.Sacn.Universe);
    if (config.Sacn.Mode == SacnMode::Unicast)
        sacn += " unicast";
    return artnet.empty() ? sacn : artnet + " + " + sacn;
}
