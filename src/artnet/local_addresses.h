#pragma once
// The machine's IPv4 addresses, and the choice of the address this program announces.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct AddressRow {
    uint32_t address = 0; // network byte order
    uint32_t interfaceIndex = 0;
};

// Every IPv4 address of every interface, in the system's order; nullopt when the table
// cannot be read.
std::optional<std::vector<AddressRow>> ReadAddressTable();

struct AddressChoice {
    uint32_t candidate = 0;      // network byte order
    uint32_t interfaceIndex = 0; // where to add 2.b.c.d; meaningful only when add is set
    bool add = false;
};

// The first 2.x.x.x address is used as it is. Without one, the first address other than
// 127.0.0.1 is the candidate and 2.b.c.d is to be added to its interface. Without
// either (or without a table), 127.0.0.1 and nothing is added.
AddressChoice ChooseLocalAddress(const std::optional<std::vector<AddressRow>>& table);

// a.b.c.d (network byte order) with its first octet replaced by 2.
uint32_t ArtnetAddressFor(uint32_t address);

// Dotted decimal, as inet_ntoa writes it.
std::string AddressText(uint32_t address);
