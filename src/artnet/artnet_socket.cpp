#include "artnet/artnet_socket.h"

#include "artnet/artnet_packets.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

class UdpArtnetSocket final : public ArtnetSocket {
public:
    explicit UdpArtnetSocket(int fd) : fd_(fd)
    {
        destination_.sin_family = AF_INET;
        destination_.sin_port = htons(ArtnetPort);
        destination_.sin_addr.s_addr = htonl(ArtnetBroadcast);
    }
    ~UdpArtnetSocket() override { close(fd_); }

    long SendBroadcast(const uint8_t* data, size_t size) override
    {
        return sendto(fd_, data, size, MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&destination_),
                      sizeof destination_);
    }

    long SendTo(uint32_t address, const uint8_t* data, size_t size) override
    {
        sockaddr_in to = destination_;
        to.sin_addr.s_addr = htonl(address);
        return sendto(fd_, data, size, MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }

    long Receive(uint8_t* buffer, size_t capacity) override
    {
        return recv(fd_, buffer, capacity, MSG_DONTWAIT);
    }

    int WaitFd() const override { return fd_; }

private:
    int fd_;
    sockaddr_in destination_{};
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
