#include "output/address_watch.h"

#include <cerrno>

#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

class NetlinkAddressWatch final : public AddressWatch {
public:
    explicit NetlinkAddressWatch(int fd) : fd_(fd) {}
    ~NetlinkAddressWatch() override { close(fd_); }

    int WaitFd() const override { return fd_; }

    bool TakeChanges() override
    {
        // The reports only say "look again": their contents are not needed. A full receive
        // buffer (ENOBUFS) means reports were lost, which is a change too.
        bool any = false;
        char buffer[8192];
        for (;;) {
            const ssize_t n = recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n > 0 || (n < 0 && errno == ENOBUFS)) {
                any = true;
                continue;
            }
            return any;
        }
    }

private:
    int fd_;
};

} // namespace

std::unique_ptr<AddressWatch> OpenAddressWatch()
{
    const int fd = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_ROUTE);
    if (fd < 0)
        return nullptr;
    sockaddr_nl local{};
    local.nl_family = AF_NETLINK;
    local.nl_groups = RTMGRP_IPV4_IFADDR | RTMGRP_LINK | RTMGRP_IPV4_ROUTE;
    if (bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<NetlinkAddressWatch>(fd);
}
