#include "osc_builder.h"

#include <bit>

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
