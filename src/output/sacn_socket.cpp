#include "output/sacn_socket.h"

#include "output/sacn_packets.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

class UdpSacnSocket final : public SacnSocket {
public:
    explicit UdpSacnSocket(int fd) : fd_(fd) {}
    ~UdpSacnSocket() override { close(fd_); }

    long SendTo(uint32_t address, const uint8_t* data, size_t size) override
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(SacnPort);
        to.sin_addr.s_addr = htonl(address);
        return sendto(fd_, data, size, MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }

    void SetMulticastInterface(uint32_t interfaceAddress) override
    {
        in_addr via{};
        via.s_addr = interfaceAddress;
        setsockopt(fd_, IPPROTO_IP, IP_MULTICAST_IF, &via, sizeof via);
    }

private:
    int fd_;
};

} // namespace

OpenedSacnSocket OpenSacnSocket(uint32_t interfaceAddress, int ttl)
{
    OpenedSacnSocket opened;
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        opened.error = std::strerror(errno);
        return opened;
    }
    in_addr via{};
    via.s_addr = interfaceAddress;
    const unsigned char hops = static_cast<unsigned char>(ttl);
    if (setsockopt(fd, IPPROTO_IP, IP_MULTICAST_IF, &via, sizeof via) != 0
        || setsockopt(fd, IPPROTO_IP, IP_MULTICAST_TTL, &hops, sizeof hops) != 0) {
        opened.error = std::strerror(errno);
        close(fd);
        return opened;
    }
    opened.socket = std::make_unique<UdpSacnSocket>(fd);
    return opened;
}
