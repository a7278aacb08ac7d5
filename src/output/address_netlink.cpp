#include "output/address_netlink.h"

#include "output/artnet_packets.h"
#include "output/artnet_route.h"

#include <arpa/inet.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

struct AddressRequest {
    nlmsghdr header;
    ifaddrmsg message;
    char attributes[64];
};

void AddAttribute(AddressRequest& request, uint16_t type, uint32_t value)
{
    auto* attribute = reinterpret_cast<rtattr*>(reinterpret_cast<char*>(&request) + NLMSG_ALIGN(request.header.nlmsg_len));
    attribute->rta_type = type;
    attribute->rta_len = RTA_LENGTH(sizeof value);
    std::memcpy(RTA_DATA(attribute), &value, sizeof value);
    request.header.nlmsg_len = NLMSG_ALIGN(request.header.nlmsg_len) + RTA_ALIGN(attribute->rta_len);
}

AddressResult Failure(int error) { return {false, std::strerror(error), error == EPERM || error == EACCES}; }

AddressResult Exchange(uint16_t type, uint16_t flags, uint32_t interfaceIndex, uint32_t address, bool withBroadcast)
{
    const int fd = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (fd < 0)
        return Failure(errno);

    AddressRequest request{};
    request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifaddrmsg));
    request.header.nlmsg_type = type;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_ACK | flags;
    request.header.nlmsg_seq = 1;
    request.message.ifa_family = AF_INET;
    request.message.ifa_prefixlen = AddedPrefixLength;
    request.message.ifa_scope = RT_SCOPE_UNIVERSE;
    request.message.ifa_index = interfaceIndex;
    AddAttribute(request, IFA_LOCAL, address);
    AddAttribute(request, IFA_ADDRESS, address);
    if (withBroadcast)
        AddAttribute(request, IFA_BROADCAST, htonl(TwoNetBroadcast));

    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    if (sendto(fd, &request, request.header.nlmsg_len, 0, reinterpret_cast<sockaddr*>(&kernel), sizeof kernel) < 0) {
        const int error = errno;
        close(fd);
        return Failure(error);
    }

    // The kernel answers with one NLMSG_ERROR message; its error 0 is the acknowledgement.
    alignas(nlmsghdr) char answer[1024];
    for (;;) {
        const ssize_t n = recv(fd, answer, sizeof answer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            close(fd);
            return Failure(error);
        }
        // NLMSG_OK/NLMSG_NEXT, written out with unsigned sizes.
        size_t length = size_t(n);
        auto fits = [&length](const nlmsghdr* h) {
            return length >= sizeof(nlmsghdr) && h->nlmsg_len >= sizeof(nlmsghdr) && h->nlmsg_len <= length;
        };
        auto next = [&length](nlmsghdr* h) {
            const size_t step = std::min<size_t>(NLMSG_ALIGN(h->nlmsg_len), length);
            length -= step;
            return reinterpret_cast<nlmsghdr*>(reinterpret_cast<char*>(h) + step);
        };
        for (auto* h = reinterpret_cast<nlmsghdr*>(answer); fits(h); h = next(h)) {
            if (h->nlmsg_seq != request.header.nlmsg_seq || h->nlmsg_type != NLMSG_ERROR)
                continue;
            if (h->nlmsg_len < NLMSG_LENGTH(sizeof(nlmsgerr))) {
                close(fd);
                return Failure(EPROTO);
            }
            const int error = -static_cast<const nlmsgerr*>(NLMSG_DATA(h))->error;
            close(fd);
            return error == 0 ? AddressResult{true, {}} : Failure(error);
        }
    }
}

} // namespace

AddressResult AddInterfaceAddress(uint32_t interfaceIndex, uint32_t address)
{
    return Exchange(RTM_NEWADDR, NLM_F_CREATE | NLM_F_EXCL, interfaceIndex, address, true);
}

AddressResult RemoveInterfaceAddress(uint32_t interfaceIndex, uint32_t address)
{
    return Exchange(RTM_DELADDR, 0, interfaceIndex, address, false);
}
