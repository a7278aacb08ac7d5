#include "runtime/output_settings.h"

namespace {

constexpr const char* Section = "Option";

int32_t ReadInRange(const IniFile& ini, const char* key, int32_t def, int32_t low, int32_t high)
{
    const int32_t value = ini.ReadInteger(Section, key, def);
    return value >= low && value <= high ? value : def;
}

// The addresses of a stored list; none when any of them does not read.
std::vector<uint32_t> ReadAddresses(const IniFile& ini, const char* key)
{
    std::vector<uint32_t> addresses;
    ParseAddressList(ini.ReadString(Section, key, ""), addresses);
    return addresses;
}

} // namespace

OutputConfig ReadOutputSettings(const IniFile& ini)
{
    OutputConfig c;
    ArtnetConfig& a = c.Artnet;
    a.Mode = ParseArtnetMode(ini.ReadString(Section, "ArtNetOutput", "")).value_or(a.Mode);
    a.Addresses = ReadAddresses(ini, "ArtNetAddresses");
    // A list without a single readable address would send nowhere.
    if (a.Mode == ArtnetMode::List && a.Addresses.empty())
        a.Mode = ArtnetMode::Broadcast;
    a.Interface = ini.ReadString(Section, "ArtNetInterface", "");
    SacnConfig& s = c.Sacn;
    s.Mode = ParseSacnMode(ini.ReadString(Section, "SacnOutput", "")).value_or(s.Mode);
    s.Universe = ReadInRange(ini, "SacnUniverse", s.Universe, SacnUniverseMin, SacnUniverseMax);
    s.Priority = ReadInRange(ini, "SacnPriority", s.Priority, SacnPriorityMin, SacnPriorityMax);
    s.Ttl = ReadInRange(ini, "SacnTtl", s.Ttl, SacnTtlMin, SacnTtlMax);
    s.Unicast = ReadAddresses(ini, "SacnUnicast");
    // Unicast without a single readable address would send nowhere.
    if (s.Mode == SacnMode::Unicast && s.Unicast.empty())
        s.Mode = SacnMode::Off;
    s.Interface = ini.ReadString(Section, "SacnInterface", "");
    s.Cid = ParseCid(ini.ReadString(Section, "SacnCid", "")).value_or(NewSacnCid());
    return c;
}

void WriteOutputSettings(IniFile& ini, const OutputConfig& c)
{
    ini.WriteString(Section, "ArtNetOutput", ArtnetModeName(c.Artnet.Mode));
    ini.WriteString(Section, "ArtNetAddresses", AddressListText(c.Artnet.Addresses));
    ini.WriteString(Section, "ArtNetInterface", c.Artnet.Interface);
    ini.WriteString(Section, "SacnOutput", SacnModeName(c.Sacn.Mode));
    ini.WriteInteger(Section, "SacnUniverse", c.Sacn.Universe);
    ini.WriteInteger(Section, "SacnPriority", c.Sacn.Priority);
    ini.WriteString(Section, "SacnUnicast", AddressListText(c.Sacn.Unicast));
    ini.WriteString(Section, "SacnInterface", c.Sacn.Interface);
    ini.WriteInteger(Section, "SacnTtl", c.Sacn.Ttl);
    ini.WriteString(Section, "SacnCid", CidText(c.Sacn.Cid));
}
