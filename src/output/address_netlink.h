#pragma once
// Adding and removing the 2.b.c.d/24 address through rtnetlink. Needs CAP_NET_ADMIN.
//
// The address is added with 2.255.255.255 as its broadcast: with the broadcast of a /24
// (2.b.c.255) the kernel has no route for 2.255.255.255 and every send would fail.

#include <cstdint>
#include <string>

struct AddressResult {
    bool ok = false;
    std::string error; // the system's text for the kernel's answer
    bool notPermitted = false; // the program lacks the right to change addresses
};

inline constexpr uint8_t AddedPrefixLength = 24;

// address in network byte order. Waits for the kernel's acknowledgement.
AddressResult AddInterfaceAddress(uint32_t interfaceIndex, uint32_t address);
AddressResult RemoveInterfaceAddress(uint32_t interfaceIndex, uint32_t address);
