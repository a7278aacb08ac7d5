// Frame timing of lumenrill-cli play while OSC floods it, as a node sees it. Run by
// osc_flood.sh on the node side of a virtual cable:
//   osc_flood PLAYER_ADDR OSC_PORT SECONDS RATE
// Four phases of SECONDS each, in one run: no OSC (the baseline), a flood of commands
// (RATE a second: play while playing, an unknown address, a bad argument, each answered),
// a flood of status requests (RATE a second, one bundle back for each), then a flood of
// plays at a time (RATE a second, each to another second of the show's first twenty). Every
// ArtDmx is timestamped by the kernel; each phase prints the median, 99th percentile and
// maximum of each interval's distance from a whole number of 20 ms frames, and how many frame
// slots passed without a frame: a frame goes out only when it changed, and the sound's
// position holds still now and then (a sound server's stall), so a slot without a frame is
// not by itself a late one.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<uint8_t> OscString(const std::string& text)
{
    std::vector<uint8_t> out(text.begin(), text.end());
    out.resize((text.size() / 4 + 1) * 4, 0);
    return out;
}

std::vector<uint8_t> Message(const std::string& address, const std::string& argument = {})
{
    std::vector<uint8_t> out = OscString(address);
    const std::vector<uint8_t> tag = OscString(argument.empty() ? "," : ",s");
    out.insert(out.end(), tag.begin(), tag.end());
    if (!argument.empty()) {
        const std::vector<uint8_t> arg = OscString(argument);
        out.insert(out.end(), arg.begin(), arg.end());
    }
    return out;
}

double NowMs()
{
    timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

enum Phase { Quiet, Commands, Status, TimedPlays, PhaseCount };
const char* const PhaseNames[PhaseCount] = {"no flood", "command flood", "status flood", "timed plays"};

struct Frame {
    double at; // ms, kernel receive time
    int phase;
};

void Summarise(const std::vector<Frame>& frames, int phase, uint64_t sent, uint64_t answers)
{
    std::vector<double> deviation;
    long skipped = 0;
    for (size_t i = 1; i < frames.size(); ++i) {
        if (frames[i].phase != phase || frames[i - 1].phase != phase)
            continue;
        const double interval = frames[i].at - frames[i - 1].at;
        const double slots = std::max(1.0, std::round(interval / 20.0));
        deviation.push_back(std::fabs(interval - slots * 20.0));
        skipped += long(slots) - 1;
    }
    if (deviation.empty()) {
        std::printf("%-14s no frames\n", PhaseNames[phase]);
        return;
    }
    std::sort(deviation.begin(), deviation.end());
    const auto at = [&](double q) { return deviation[size_t(q * double(deviation.size() - 1))]; };
    std::printf("%-14s %5zu frames  off the 20 ms grid: median %6.3f  p99 %6.3f  max %6.3f ms  slots without a "
                "frame %3ld  OSC sent %6llu, answers %6llu\n",
                PhaseNames[phase], deviation.size(), at(0.5), at(0.99), deviation.back(), skipped,
                (unsigned long long)sent, (unsigned long long)answers);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return 2;
    const char* player = argv[1];
    const int oscPort = std::atoi(argv[2]);
    const int seconds = std::atoi(argv[3]);
    const int rate = std::atoi(argv[4]);

    const int dmx = socket(AF_INET, SOCK_DGRAM, 0);
    const int on = 1;
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_port = htons(6454);
    if (dmx < 0 || setsockopt(dmx, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on) != 0
        || bind(dmx, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) {
        std::perror("ArtDmx socket");
        return 1;
    }
    const int osc = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(uint16_t(oscPort));
    if (osc < 0 || inet_pton(AF_INET, player, &to.sin_addr) != 1) {
        std::perror("OSC socket");
        return 1;
    }

    std::atomic<int> phase{Quiet};
    std::atomic<bool> done{false};
    std::array<std::atomic<uint64_t>, PhaseCount> sent{};
    std::array<std::atomic<uint64_t>, PhaseCount> answers{};
    // The flood keeps its own pace on absolute deadlines; it never waits for an answer.
    std::thread flood([&] {
        const std::vector<std::vector<uint8_t>> commands = {
            Message("/lumenrill/play"), Message("/lumenrill/bogus"), Message("/lumenrill/play", "99:00:00.00")};
        const std::vector<uint8_t> status = Message("/lumenrill/status");
        std::vector<std::vector<uint8_t>> timedPlays;
        for (int second = 0; second < 20; ++second) {
            char time[16];
            std::snprintf(time, sizeof time, "00:00:%02d.00", second);
            timedPlays.push_back(Message("/lumenrill/play", time));
        }
        const long stepNs = 1000000000L / rate;
        timespec next;
        clock_gettime(CLOCK_MONOTONIC, &next);
        for (uint64_t n = 0; !done; ++n) {
            next.tv_nsec += stepNs;
            while (next.tv_nsec >= 1000000000L) {
                next.tv_nsec -= 1000000000L;
                ++next.tv_sec;
            }
            clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
            const int p = phase;
            if (p == Quiet)
                continue;
            const std::vector<uint8_t>& d = p == Commands     ? commands[n % commands.size()]
                                            : p == TimedPlays ? timedPlays[n % timedPlays.size()]
                                                              : status;
            if (sendto(osc, d.data(), d.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) > 0)
                ++sent[size_t(p)];
        }
    });

    std::vector<Frame> frames;
    const double start = NowMs();
    while (true) {
        const double now = NowMs();
        const int p = int((now - start) / 1000.0 / seconds);
        if (p >= PhaseCount)
            break;
        phase = p;
        pollfd fds[2] = {{dmx, POLLIN, 0}, {osc, POLLIN, 0}};
        if (poll(fds, 2, 100) <= 0)
            continue;
        if (fds[1].revents & POLLIN) {
            uint8_t reply[2048];
            while (recv(osc, reply, sizeof reply, MSG_DONTWAIT) > 0)
                ++answers[size_t(p)];
        }
        if (!(fds[0].revents & POLLIN))
            continue;
        uint8_t buffer[2048];
        alignas(cmsghdr) char control[256];
        iovec io{buffer, sizeof buffer};
        msghdr m{};
        m.msg_iov = &io;
        m.msg_iovlen = 1;
        m.msg_control = control;
        m.msg_controllen = sizeof control;
        const ssize_t n = recvmsg(dmx, &m, 0);
        if (n < 18 || std::memcmp(buffer, "Art-Net", 8) != 0 || buffer[8] != 0x00 || buffer[9] != 0x50)
            continue;
        for (cmsghdr* c = CMSG_FIRSTHDR(&m); c; c = CMSG_NXTHDR(&m, c))
            if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMPNS) {
                timespec t;
                std::memcpy(&t, CMSG_DATA(c), sizeof t);
                frames.push_back({double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6, p});
            }
    }
    done = true;
    flood.join();
    std::printf("OSC flood beside lumenrill-cli play: %d s a phase, %d datagrams a second in a flood\n", seconds,
                rate);
    for (int p = 0; p < PhaseCount; ++p)
        Summarise(frames, p, sent[size_t(p)], answers[size_t(p)]);
    return 0;
}
