#include "osc_builder.h"

#include "remote/osc_unit.h"

#include <algorithm>
#include <bit>
#include <cstdio>

void AppendOscString(Datagram& d, const std::string& text)
{
    d.insert(d.end(), text.begin(), text.end());
    d.push_back(0);
    while (d.size() % 4)
        d.push_back(0);
}

void AppendBigEndian(Datagram& d, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        d.push_back(uint8_t(v >> shift));
}

OscMessage& OscMessage::Int(int32_t v)
{
    typeTag += 'i';
    AppendBigEndian(args, uint32_t(v));
    return *this;
}

OscMessage& OscMessage::Float(float v)
{
    typeTag += 'f';
    AppendBigEndian(args, std::bit_cast<uint32_t>(v));
    return *this;
}

OscMessage& OscMessage::String(const std::string& s)
{
    typeTag += 's';
    AppendOscString(args, s);
    return *this;
}

Datagram OscMessage::Bytes() const
{
    Datagram d;
    AppendOscString(d, address);
    AppendOscString(d, typeTag);
    d.insert(d.end(), args.begin(), args.end());
    return d;
}

Datagram Bundle(const OscMessage& first)
{
    Datagram d;
    AppendOscString(d, "#bundle");
    AppendBigEndian(d, 0);
    AppendBigEndian(d, 1); // time tag "immediately"
    const Datagram message = first.Bytes();
    AppendBigEndian(d, uint32_t(message.size()));
    d.insert(d.end(), message.begin(), message.end());
    return d;
}

Datagram BundleOf(const std::vector<Datagram>& elements)
{
    Datagram d;
    AppendOscString(d, "#bundle");
    AppendBigEndian(d, 0);
    AppendBigEndian(d, 1);
    for (const Datagram& e : elements) {
        AppendBigEndian(d, uint32_t(e.size()));
        d.insert(d.end(), e.begin(), e.end());
    }
    return d;
}

namespace {

uint32_t BigEndianAt(std::span<const uint8_t> d, size_t at)
{
    return uint32_t(d[at]) << 24 | uint32_t(d[at + 1]) << 16 | uint32_t(d[at + 2]) << 8 | d[at + 3];
}

std::string MessageText(std::span<const uint8_t> datagram);

} // namespace

std::string OscText(std::span<const uint8_t> datagram)
{
    static constexpr char Head[8] = {'#', 'b', 'u', 'n', 'd', 'l', 'e', 0};
    if (datagram.size() < 16 || !std::equal(Head, Head + 8, datagram.begin()))
        return MessageText(datagram);
    std::string text;
    for (size_t at = 16; at + 4 <= datagram.size();) {
        const size_t size = BigEndianAt(datagram, at);
        if (at + 4 + size > datagram.size())
            return text + "? " + std::to_string(datagram.size());
        text += (text.empty() ? "" : "; ") + MessageText(datagram.subspan(at + 4, size));
        at += 4 + size;
    }
    return text;
}

namespace {

std::string MessageText(std::span<const uint8_t> datagram)
{
    TOscUnit unit;
    if (!unit.Decode(datagram))
        return "? " + std::to_string(datagram.size());
    std::string text = unit.Address;
    for (size_t i = 1, s = 0, f = 0; i < unit.TypeTag.size(); ++i) {
        if (unit.TypeTag[i] == 's') {
            text += " " + unit.StringArgs[s++];
        } else if (unit.TypeTag[i] == 'f') {
            char number[32];
            std::snprintf(number, sizeof number, " %.3f", double(unit.FloatArgs[f++]));
            text += number;
        }
    }
    return text;
}

} // namespace
