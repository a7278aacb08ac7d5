#include "output/artnet_socket.h"

#include "output/artnet_packets.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

class UdpArtnetSocket final : public ArtnetSocket {
public:
    explicit UdpArtnetSocket(int fd) : fd_(fd) {}
    ~UdpArtnetSocket() override { close(fd_); }

    long SendTo(uint32_t address, uint32_t interfaceIndex, const uint8_t* data, size_t size) override
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(ArtnetPort);
        to.sin_addr.s_addr = htonl(address);
        iovec part{const_cast<uint8_t*>(data), size};
        msghdr message{};
        message.msg_name = &to;
        message.msg_namelen = sizeof to;
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        // IP_PKTINFO names the interface without the right to bind the socket to a device.
        alignas(cmsghdr) unsigned char control[CMSG_SPACE(sizeof(in_pktinfo))]{};
        if (interfaceIndex != 0) {
            message.msg_control = control;
            message.msg_controllen = sizeof control;
            cmsghdr* header = CMSG_FIRSTHDR(&message);
            header->cmsg_level = IPPROTO_IP;
            header->cmsg_type = IP_PKTINFO;
            header->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
            in_pktinfo info{};
            info.ipi_ifindex = int(interfaceIndex);
            std::memcpy(CMSG_DATA(header), &info, sizeof info);
        }
        return sendmsg(fd_, &message, MSG_DONTWAIT);
    }

    long Receive(uint8_t* buffer, size_t capacity) override
    {
        return recv(fd_, buffer, capacity, MSG_DONTWAIT);
    }

    int WaitFd() const override { return fd_; }

private:
    int fd_;
};

} // namespace

OpenedSocket OpenArtnetSocket()
{
    OpenedSocket opened;
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        opened.layerFailed = true;
        opened.error = std::strerror(errno);
        return opened;
    }
    // Linux refuses sends to a broadcast address without this.
    const int on = 1;
    sockaddr_in bindAddress{};
    bindAddress.sin_family = AF_INET;
    bindAddress.sin_port = htons(ArtnetPort);
    bindAddress.sin_addr.s_addr = htonl(INADDR_ANY);
    if (setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0
        || bind(fd, reinterpret_cast<const sockaddr*>(&bindAddress), sizeof bindAddress) != 0) {
        opened.error = std::strerror(errno);
        close(fd);
        return opened;
    }
    opened.socket = std::make_unique<UdpArtnetSocket>(fd);
    return opened;
}
