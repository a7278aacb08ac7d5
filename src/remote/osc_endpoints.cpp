#include "remote/osc_endpoints.h"

namespace {

uint32_t PrefixMask(int prefixLength) { return prefixLength == 0 ? 0 : ~uint32_t(0) << (32 - prefixLength); }

// Up to `digits` decimal digits and nothing else, at most max.
std::optional<uint32_t> Number(std::string_view text, size_t digits, uint32_t max)
{
    if (text.empty() || text.size() > digits)
        return std::nullopt;
    uint32_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + uint32_t(c - '0');
    }
    if (v > max)
        return std::nullopt;
    return v;
}

std::vector<std::string_view> Items(std::string_view text)
{
    std::vector<std::string_view> items;
    size_t i = 0;
    while (i < text.size()) {
        const size_t end = text.find_first_of(", \t", i);
        const size_t stop = end == std::string_view::npos ? text.size() : end;
        if (stop > i)
            items.push_back(text.substr(i, stop - i));
        i = stop + 1;
    }
    return items;
}

template <class T, class Parse> ParsedList<T> ParseList(std::string_view text, Parse parse)
{
    ParsedList<T> list;
    for (std::string_view item : Items(text)) {
        const std::optional<T> parsed = parse(item);
        if (!parsed) {
            list.bad = std::string(item);
            list.items.clear();
            return list;
        }
        list.items.push_back(*parsed);
    }
    return list;
}

template <class T, class Text> std::string ListText(const std::vector<T>& items, Text text)
{
    std::string out;
    for (const T& item : items)
        out += (out.empty() ? "" : ", ") + text(item);
    return out;
}

} // namespace

bool AddressRange::Contains(uint32_t address) const
{
    return (address & PrefixMask(prefixLength)) == network;
}

std::string EndpointText(const OscEndpoint& e) { return Ipv4Text(e.address) + ":" + std::to_string(e.port); }

std::string RangeText(const AddressRange& r)
{
    return r.prefixLength == 32 ? Ipv4Text(r.network) : Ipv4Text(r.network) + "/" + std::to_string(r.prefixLength);
}

ParsedList<OscEndpoint> ParseEndpointList(std::string_view text)
{
    return ParseList<OscEndpoint>(text, [](std::string_view item) -> std::optional<OscEndpoint> {
        const size_t colon = item.rfind(':');
        if (colon == std::string_view::npos)
            return std::nullopt;
        const std::optional<uint32_t> address = ParseIpv4(item.substr(0, colon));
        const std::optional<uint32_t> port = Number(item.substr(colon + 1), 5, 65535);
        if (!address || !port || *port == 0)
            return std::nullopt;
        return OscEndpoint{*address, uint16_t(*port)};
    });
}

ParsedList<AddressRange> ParseRangeList(std::string_view text)
{
    return ParseList<AddressRange>(text, [](std::string_view item) -> std::optional<AddressRange> {
        const size_t slash = item.find('/');
        const std::optional<uint32_t> address = ParseIpv4(item.substr(0, slash));
        const std::optional<uint32_t> prefix =
            slash == std::string_view::npos ? std::optional<uint32_t>(32) : Number(item.substr(slash + 1), 2, 32);
        if (!address || !prefix)
            return std::nullopt;
        return AddressRange{*address & PrefixMask(int(*prefix)), int(*prefix)};
    });
}

std::string EndpointListText(const std::vector<OscEndpoint>& endpoints)
{
    return ListText(endpoints, EndpointText);
}

std::string RangeListText(const std::vector<AddressRange>& ranges) { return ListText(ranges, RangeText); }

bool Allowed(const std::vector<AddressRange>& ranges, uint32_t address)
{
    if (ranges.empty())
        return true;
    for (const AddressRange& r : ranges)
        if (r.Contains(address))
            return true;
    return false;
}
