// Frame timing of the output worker as a node sees it. Run by artnet_timing.sh inside
// private network namespaces:
//   artnet_timing send SECONDS [sacn]  the worker with a tick that changes every frame;
//                                      with sacn, sACN multicast on universe 1 as well
//   artnet_timing receive SECONDS [sacn]
//                                   a node: kernel receive times of every ArtDmx (with
//                                   sacn: of every sACN data packet of universe 1, joined
//                                   on 2.0.0.2), then median, 99th percentile and maximum
//                                   of |interval - 20 ms| and the drift over 3,000 frames
#include "output/output_worker.h"
#include "output/sacn_packets.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

int Send(int seconds, bool sacn)
{
    OutputWorker thread;
    if (sacn) {
        SacnConfig config;
        config.Mode = SacnMode::Multicast;
        config.Cid = NewSacnCid();
        if (const OutputCheck check = thread.SetSacnOutput(config); !check)
            std::fprintf(stderr, "sACN: %s\n", check.Value.c_str());
    }
    if (!thread.InitError().empty())
        std::fprintf(stderr, "set-up: %s\n", thread.InitError().c_str());
    thread.SetNodeNames("Lumenrill", "Lumenrill");
    thread.Priority = ThreadPriority::AboveNormal;
    uint32_t counter = 0;
    thread.TickCallback = [&](uint8_t* frame) {
        ++counter;
        frame[0] = uint8_t(counter);
        frame[1] = uint8_t(counter >> 8);
    };
    thread.OutputEnabled = true;
    thread.Start();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    thread.Terminate();
    thread.WaitFor();
    std::printf("sender: %u frames, address %s, %u failed sends\n", counter, thread.LocalAddressText().c_str(),
                thread.SendFailures());
    return 0;
}

// An ArtDmx, or with sacn an sACN data packet; the three that end the stream at close
// come back to back and are no frames.
bool IsFrame(const uint8_t* buffer, ssize_t n, bool sacn)
{
    if (sacn)
        return n == ssize_t(SacnDataPacketSize) && buffer[21] == 0x04 &&
               !(buffer[SacnOptionsOffset] & SacnStreamTerminated);
    return n == 530 && buffer[8] == 0x00 && buffer[9] == 0x50;
}

int Receive(int seconds, bool sacn)
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    const int on = 1;
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_port = htons(sacn ? SacnPort : ArtnetPort);
    const timeval wait{1, 0};
    ip_mreq group{};
    group.imr_multiaddr.s_addr = htonl(SacnMulticastAddress(1));
    group.imr_interface.s_addr = inet_addr("2.0.0.2");
    if (fd < 0 || setsockopt(fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on) != 0
        || setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait) != 0
        || bind(fd, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0
        || (sacn && setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &group, sizeof group) != 0)) {
        std::perror("receiver");
        return 1;
    }
    std::vector<double> times; // ms, kernel receive time
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds + 5);
    while (std::chrono::steady_clock::now() < end) {
        uint8_t buffer[2048];
        alignas(cmsghdr) char control[256];
        iovec io{buffer, sizeof buffer};
        msghdr m{};
        m.msg_iov = &io;
        m.msg_iovlen = 1;
        m.msg_control = control;
        m.msg_controllen = sizeof control;
        const ssize_t n = recvmsg(fd, &m, 0);
        if (n < 0 && !times.empty())
            break; // the sender has ended
        if (!IsFrame(buffer, n, sacn))
            continue;
        for (cmsghdr* c = CMSG_FIRSTHDR(&m); c; c = CMSG_NXTHDR(&m, c))
            if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMPNS) {
                timespec t;
                std::memcpy(&t, CMSG_DATA(c), sizeof t);
                times.push_back(double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6);
            }
    }
    if (times.size() < 3002) {
        std::printf("receiver: only %zu frames\n", times.size());
        return 1;
    }
    // The first datagram is the forced send at start; frames follow on the grid.
    std::vector<double> deviation;
    size_t worst = 2;
    for (size_t i = 2; i < times.size(); ++i) {
        deviation.push_back(std::fabs(times[i] - times[i - 1] - 20.0));
        if (deviation.back() > std::fabs(times[worst] - times[worst - 1] - 20.0))
            worst = i;
    }
    std::sort(deviation.begin(), deviation.end());
    const auto at = [&](double q) { return deviation[size_t(q * double(deviation.size() - 1))]; };
    std::printf("receiver (%s): %zu frames over %.3f s\n", sacn ? "sACN" : "ArtDmx", times.size() - 1,
                (times.back() - times[1]) / 1e3);
    std::printf("|interval - 20 ms|: median %.3f ms, p99 %.3f ms, max %.3f ms (%.3f s after frame 0)\n", at(0.5),
                at(0.99), deviation.back(), (times[worst] - times[1]) / 1e3);
    std::printf("drift: frame 3000 is %+.3f ms from 3000 x 20 ms after frame 0; over the run %+.3f ms\n",
                times[3001] - times[1] - 60000.0, times.back() - times[1] - 20.0 * double(times.size() - 2));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && !(argc == 4 && std::strcmp(argv[3], "sacn") == 0))
        return 2;
    const int seconds = std::atoi(argv[2]);
    const bool sacn = argc == 4;
    if (std::strcmp(argv[1], "send") == 0)
        return Send(seconds, sacn);
    if (std::strcmp(argv[1], "receive") == 0)
        return Receive(seconds, sacn);
    return 2;
}
