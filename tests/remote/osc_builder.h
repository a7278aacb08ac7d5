#pragma once
// Builds OSC 1.0 datagrams for the tests, independently of the decoder.

#include <cstdint>
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
