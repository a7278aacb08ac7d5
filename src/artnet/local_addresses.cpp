#include "artnet/local_addresses.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <string>

std::optional<std::vector<AddressRow>> ReadAddressTable()
{
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return std::nullopt;
    std::vector<AddressRow> rows;
    for (const ifaddrs* a = list; a; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET)
            continue;
        // An address label such as "eth0:1" names the interface before the colon.
        std::string name = a->ifa_name;
        name = name.substr(0, name.find(':'));
        AddressRow row;
        row.address = reinterpret_cast<const sockaddr_in*>(a->ifa_addr)->sin_addr.s_addr;
        row.interfaceIndex = if_nametoindex(name.c_str());
        rows.push_back(row);
    }
    freeifaddrs(list);
    return rows;
}

AddressChoice ChooseLocalAddress(const std::optional<std::vector<AddressRow>>& table)
{
    AddressChoice choice;
    choice.candidate = htonl(INADDR_LOOPBACK);
    if (!table)
        return choice;
    for (const AddressRow& row : *table) {
        if ((ntohl(row.address) >> 24) == 2) {
            choice.candidate = row.address;
            return choice;
        }
    }
    for (const AddressRow& row : *table) {
        if (row.address != htonl(INADDR_LOOPBACK)) {
            choice.candidate = row.address;
            choice.interfaceIndex = row.interfaceIndex;
            choice.add = true;
            return choice;
        }
    }
    return choice;
}

uint32_t ArtnetAddressFor(uint32_t address)
{
    return htonl((ntohl(address) & 0x00FFFFFFu) | 0x02000000u);
}

std::string AddressText(uint32_t address)
{
    char text[INET_ADDRSTRLEN];
    in_addr a{};
    a.s_addr = address;
    inet_ntop(AF_INET, &a, text, sizeof text);
    return text;
}
