#include "sim_node.h"

#include "netns.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

#include <future>

SimNode::SimNode(const std::string& ns, const std::vector<NodeReply>& replies, const char* replyTo) : replyTo_(replyTo)
{
    for (const NodeReply& reply : replies)
        replies_.push_back(ReplyBytes(reply));
    std::promise<int> bound;
    thread_ = std::thread([this, ns, &bound] {
        if (!NetnsPair::Enter(ns)) {
            bound.set_value(-1);
            return;
        }
        int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        const int on = 1;
        const timeval wait{0, 20000};
        sockaddr_in any{};
        any.sin_family = AF_INET;
        any.sin_port = htons(6454);
        if (fd < 0 || setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0
            || setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on) != 0
            || setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait) != 0
            || bind(fd, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) {
            if (fd >= 0)
                close(fd);
            fd = -1;
        }
        bound.set_value(fd);
        if (fd >= 0)
            Run(fd);
    });
    fd_ = bound.get_future().get();
}

SimNode::~SimNode()
{
    stop_ = true;
    thread_.join();
    if (fd_ >= 0)
        close(fd_);
}

void SimNode::Run(int fd)
{
    sockaddr_in broadcast{};
    broadcast.sin_family = AF_INET;
    broadcast.sin_port = htons(6454);
    broadcast.sin_addr.s_addr = inet_addr(replyTo_.c_str());
    uint8_t buffer[2048];
    alignas(cmsghdr) unsigned char control[CMSG_SPACE(sizeof(in_pktinfo))];
    while (!stop_) {
        iovec part{buffer, sizeof buffer};
        msghdr message{};
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t n = recvmsg(fd, &message, 0);
        if (n < 10)
            continue;
        std::string to;
        for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
            if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
                in_pktinfo info{};
                std::memcpy(&info, CMSG_DATA(c), sizeof info);
                to = inet_ntoa(info.ipi_addr);
            }
        }
        const Bytes d(buffer, buffer + n);
        {
            std::lock_guard guard(lock_);
            received_.emplace_back(d, to);
        }
        if (d[8] == 0x00 && d[9] == 0x20)
            for (const Bytes& reply : replies_)
                sendto(fd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&broadcast), sizeof broadcast);
    }
}

std::vector<Bytes> SimNode::Received(uint16_t opCode) const
{
    std::lock_guard guard(lock_);
    std::vector<Bytes> out;
    for (const auto& [d, to] : received_)
        if ((d[8] | d[9] << 8) == opCode)
            out.push_back(d);
    return out;
}

std::vector<std::string> SimNode::ReceivedTo(uint16_t opCode) const
{
    std::lock_guard guard(lock_);
    std::vector<std::string> out;
    for (const auto& [d, to] : received_)
        if ((d[8] | d[9] << 8) == opCode)
            out.push_back(to);
    return out;
}
