#include "output/network_interfaces.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/capability.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <fstream>
#include <sstream>

namespace {

uint32_t HostOrder(const sockaddr* a)
{
    return a && a->sa_family == AF_INET ? ntohl(reinterpret_cast<const sockaddr_in*>(a)->sin_addr.s_addr) : 0;
}

NetworkInterface& InterfaceNamed(NetworkSnapshot& net, const std::string& name)
{
    for (NetworkInterface& i : net.interfaces)
        if (i.name == name)
            return i;
    NetworkInterface& added = net.interfaces.emplace_back();
    added.name = name;
    added.index = if_nametoindex(name.c_str());
    return added;
}

// The interface of the IPv4 default route, from the kernel's routing table text: the
// first line whose destination and mask are both 0.
uint32_t DefaultRouteInterface()
{
    std::ifstream routes("/proc/net/route");
    std::string line;
    std::getline(routes, line); // the column names
    while (std::getline(routes, line)) {
        std::istringstream fields(line);
        std::string name, destination, gateway, flags, refs, use, metric, mask;
        if (fields >> name >> destination >> gateway >> flags >> refs >> use >> metric >> mask
            && destination == "00000000" && mask == "00000000")
            return if_nametoindex(name.c_str());
    }
    return 0;
}

} // namespace

std::optional<NetworkSnapshot> ReadNetwork()
{
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return std::nullopt;
    NetworkSnapshot net;
    for (const ifaddrs* a = list; a; a = a->ifa_next) {
        if (!a->ifa_addr || (a->ifa_addr->sa_family != AF_INET && a->ifa_addr->sa_family != AF_PACKET))
            continue;
        // An address label such as "eth0:1" names the interface before the colon.
        std::string name = a->ifa_name;
        name = name.substr(0, name.find(':'));
        NetworkInterface& i = InterfaceNamed(net, name);
        i.up = i.up || (a->ifa_flags & IFF_UP && a->ifa_flags & IFF_RUNNING);
        i.loopback = i.loopback || (a->ifa_flags & IFF_LOOPBACK);
        if (a->ifa_addr->sa_family != AF_INET)
            continue;
        InterfaceAddress address;
        address.address = HostOrder(a->ifa_addr);
        address.prefixLength = std::popcount(HostOrder(a->ifa_netmask));
        if (a->ifa_flags & IFF_BROADCAST)
            address.broadcast = HostOrder(a->ifa_broadaddr);
        i.addresses.push_back(address);
    }
    freeifaddrs(list);
    net.defaultRouteInterface = DefaultRouteInterface();
    return net;
}

bool MayChangeAddresses()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    return data[CAP_NET_ADMIN / 32].effective & (1u << (CAP_NET_ADMIN % 32));
}

bool InSubnet(const InterfaceAddress& a, uint32_t address)
{
    const uint32_t mask = a.prefixLength <= 0 ? 0 : ~uint32_t(0) << (32 - std::min(a.prefixLength, 32));
    return (a.address & mask) == (address & mask);
}
