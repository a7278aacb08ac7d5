#include "output/artnet_route.h"

namespace {

bool IsTwoNet(uint32_t address) { return address >> 24 == 2; }

bool Usable(const NetworkInterface& i) { return i.up && !i.loopback && !i.addresses.empty(); }

const NetworkInterface* OutputInterface(const NetworkSnapshot& net, const std::string& chosen)
{
    if (!chosen.empty()) {
        for (const NetworkInterface& i : net.interfaces)
            if (i.name == chosen)
                return Usable(i) ? &i : nullptr;
        return nullptr;
    }
    for (const NetworkInterface& i : net.interfaces)
        if (i.index == net.defaultRouteInterface && Usable(i))
            return &i;
    for (const NetworkInterface& i : net.interfaces)
        if (Usable(i))
            return &i;
    return nullptr;
}

void UseInterface(ArtnetRoute& route, const NetworkInterface& i)
{
    route.network = true;
    route.interfaceIndex = i.index;
    route.interfaceName = i.name;
    route.subnets = i.addresses;
}

} // namespace

uint32_t TwoNetAddressFor(uint32_t address) { return (address & 0x00FFFFFFu) | 0x02000000u; }

uint32_t BroadcastOf(const InterfaceAddress& a)
{
    if (a.broadcast != 0)
        return a.broadcast;
    if (a.prefixLength >= 31)
        return LimitedBroadcast;
    return a.address | (~uint32_t(0) >> a.prefixLength);
}

ArtnetRoute ChooseArtnetRoute(const std::optional<NetworkSnapshot>& net, const std::string& chosenInterface,
                              bool mayAdd)
{
    ArtnetRoute route;
    route.interfaceName = chosenInterface;
    if (!net)
        return route;
    // A 2.x.x.x address already there is used as it is: on the chosen interface, or on any.
    for (const NetworkInterface& i : net->interfaces) {
        if (!Usable(i) || (!chosenInterface.empty() && i.name != chosenInterface))
            continue;
        for (const InterfaceAddress& a : i.addresses) {
            if (IsTwoNet(a.address)) {
                UseInterface(route, i);
                route.localAddress = a.address;
                route.broadcast = TwoNetBroadcast;
                return route;
            }
        }
    }
    const NetworkInterface* out = OutputInterface(*net, chosenInterface);
    if (!out)
        return route;
    UseInterface(route, *out);
    const InterfaceAddress& first = out->addresses.front();
    if (mayAdd) {
        route.localAddress = TwoNetAddressFor(first.address);
        route.broadcast = TwoNetBroadcast;
        route.addTwoNet = true;
        return route;
    }
    route.localAddress = first.address;
    route.broadcast = BroadcastOf(first);
    return route;
}
