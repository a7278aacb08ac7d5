#pragma once
// Builds OSC 1.0 datagrams for the tests, independently of the decoder, and shows a
// received message as one line of text.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

using Datagram = std::vector<uint8_t>;

void AppendOscString(Datagram& d, const std::string& text);
void AppendBigEndian(Datagram& d, uint32_t v);

// A message: address, type tag, and already encoded arguments.
struct OscMessage {
    explicit OscMessage(std::string addr, std::string tag = ",") : address(std::move(addr)), typeTag(std::move(tag)) {}

    std::string address;
    std::string typeTag;
    Datagram args;

    OscMessage& Int(int32_t v);
    OscMessage& Float(float v);
    OscMessage& String(const std::string& s);
    Datagram Bytes() const;
};

// "#bundle", a time tag, then the message as its first element.
Datagram Bundle(const OscMessage& first);
// "#bundle", a time tag, then each element (a message's or a bundle's bytes) with its size.
Datagram BundleOf(const std::vector<Datagram>& elements);

// A received message as "/lumenrill/show Night 10.000": the address, then each string and
// each float (three decimals) in type tag order; "?" and the bytes' count for what does not
// decode. A bundle of messages reads as their texts with "; " between them.
std::string OscText(std::span<const uint8_t> datagram);
