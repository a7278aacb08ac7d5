// The listening side: what is heard and what the lights receive, on one clock.
//
// Heard: an asynchronous record stream on the null sink's monitor. For each read, its first
// sample is heard at now minus the stream's signed latency (a monitor reports a negative
// one: it sees samples before they are played). Read times are smoothed over neighbouring
// reads before each click is placed. The stream asks for 5 ms fragments but no latency of
// its own: a monitor's latency request is passed on to its sink, and the sink held at a
// long latency must stay there.
//
// Lights: ArtDmx on UDP 6454 with the kernel's receive time (CLOCK_REALTIME), mapped to
// CLOCK_MONOTONIC through a pair of readings taken close together. When the bare libpulse
// stream played instead (av_sync reference), its own times in DIR/reference take the
// frames' place.
#include "recording.h"
#include "sync_show.h"
#include "sync_tool.h"

#include <pulse/pulseaudio.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <optional>

namespace {

struct ReadTiming {
    int64_t firstSample = 0;
    int64_t firstHeardNs = 0;
};

struct ClickSample {
    int64_t sample = 0;
    int k = 0;
};

struct Recorder {
    pa_threaded_mainloop* loop = nullptr;
    int64_t samples = 0;
    std::vector<ReadTiming> reads;
    std::vector<ClickSample> clicks;
    std::vector<SinkLatency> sink;
};

void OnContextState(pa_context*, void* loop) { pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0); }

void OnStreamState(pa_stream*, void* loop) { pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0); }

void OnRead(pa_stream* stream, size_t, void* user)
{
    auto* r = static_cast<Recorder*>(user);
    while (pa_stream_readable_size(stream) > 0) {
        const void* data = nullptr;
        size_t bytes = 0;
        if (pa_stream_peek(stream, &data, &bytes) < 0 || bytes == 0)
            return;
        if (data) {
            const int64_t now = MonotonicNs();
            pa_usec_t usec = 0;
            int negative = 0;
            if (pa_stream_get_latency(stream, &usec, &negative) == 0) {
                const int64_t latency = (negative ? -1 : 1) * int64_t(usec) * 1000;
                r->reads.push_back({r->samples, now - latency});
            }
            const auto* s = static_cast<const uint8_t*>(data);
            for (size_t i = 0; i + 4 <= bytes; i += 4) {
                const int left = int16_t(uint16_t(s[i] | s[i + 1] << 8));
                const int right = int16_t(uint16_t(s[i + 2] | s[i + 3] << 8));
                if (left == 0 && right == 0)
                    continue;
                if (const std::optional<int> k = sync_show::DecodeClick(left, right))
                    r->clicks.push_back({r->samples + int64_t(i / 4), *k});
            }
        }
        r->samples += int64_t(bytes / 4);
        pa_stream_drop(stream);
    }
}

void OnSinkInfo(pa_context*, const pa_sink_info* info, int eol, void* user)
{
    if (eol || !info)
        return;
    static_cast<Recorder*>(user)->sink.push_back({double(info->latency) / 1000, double(info->configured_latency) / 1000});
}

// CLOCK_REALTIME minus CLOCK_MONOTONIC, from the closest of a few readings.
int64_t RealtimeMinusMonotonic()
{
    int64_t best = INT64_MAX;
    int64_t offset = 0;
    for (int i = 0; i < 20; ++i) {
        const int64_t before = MonotonicNs();
        timespec real{};
        clock_gettime(CLOCK_REALTIME, &real);
        const int64_t after = MonotonicNs();
        if (after - before < best) {
            best = after - before;
            offset = int64_t(real.tv_sec) * 1000000000 + real.tv_nsec - (before + after) / 2;
        }
    }
    return offset;
}

int OpenDmxSocket()
{
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_port = htons(6454);
    const timeval wait{0, 50000};
    if (fd < 0 || setsockopt(fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on) != 0
        || setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait) != 0
        || bind(fd, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) {
        std::perror("listen: ArtDmx socket");
        return -1;
    }
    return fd;
}

// One ArtDmx frame, or nothing (time-out, another packet).
std::optional<LightFrame> ReceiveFrame(int fd, int64_t realMinusMono)
{
    uint8_t buffer[2048];
    alignas(cmsghdr) char control[256];
    iovec io{buffer, sizeof buffer};
    msghdr m{};
    m.msg_iov = &io;
    m.msg_iovlen = 1;
    m.msg_control = control;
    m.msg_controllen = sizeof control;
    const ssize_t n = recvmsg(fd, &m, 0);
    if (n != 530 || std::memcmp(buffer, "Art-Net", 8) != 0 || buffer[8] != 0x00 || buffer[9] != 0x50)
        return std::nullopt;
    for (cmsghdr* c = CMSG_FIRSTHDR(&m); c; c = CMSG_NXTHDR(&m, c))
        if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMPNS) {
            timespec t;
            std::memcpy(&t, CMSG_DATA(c), sizeof t);
            const int64_t real = int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
            return LightFrame{real - realMinusMono, sync_show::DecodeShowTime(buffer[18], buffer[19])};
        }
    return std::nullopt;
}

bool Exists(const std::string& path)
{
    struct stat st{};
    return stat(path.c_str(), &st) == 0;
}

// With the loop's lock held.
void WaitFor(Recorder& r, const std::function<bool()>& ready)
{
    while (!ready())
        pa_threaded_mainloop_wait(r.loop);
}

// Each click at the time its sample was heard: read times smoothed by the median over the
// reads around it.
std::vector<HeardClick> PlaceClicks(const Recorder& r)
{
    std::vector<HeardClick> heard;
    const double nsPerSample = 1e9 / sync_show::SampleRate;
    for (const ClickSample& c : r.clicks) {
        auto at = std::upper_bound(r.reads.begin(), r.reads.end(), c.sample,
                                   [](int64_t s, const ReadTiming& t) { return s < t.firstSample; });
        const auto from = at - std::min<ptrdiff_t>(8, at - r.reads.begin());
        const auto to = at + std::min<ptrdiff_t>(8, r.reads.end() - at);
        std::vector<double> offsets;
        for (auto t = from; t != to; ++t)
            offsets.push_back(double(t->firstHeardNs) - double(t->firstSample) * nsPerSample);
        if (offsets.empty())
            continue;
        std::nth_element(offsets.begin(), offsets.begin() + ptrdiff_t(offsets.size() / 2), offsets.end());
        const double offset = offsets[offsets.size() / 2];
        heard.push_back({int64_t(offset + double(c.sample) * nsPerSample), c.k});
    }
    return heard;
}

std::vector<TransportEvent> ReadEvents(const std::string& path)
{
    std::vector<TransportEvent> events;
    std::ifstream in(path);
    TransportEvent e;
    while (in >> e.name >> e.ns)
        events.push_back(e);
    return events;
}

} // namespace

int Listen(const std::string& dir)
{
    const int fd = OpenDmxSocket();
    if (fd < 0)
        return 1;
    const int64_t realMinusMono = RealtimeMinusMonotonic();

    Recorder r;
    r.loop = pa_threaded_mainloop_new();
    pa_context* context = pa_context_new(pa_threaded_mainloop_get_api(r.loop), "av_sync");
    pa_context_set_state_callback(context, OnContextState, r.loop);
    pa_threaded_mainloop_lock(r.loop);
    pa_threaded_mainloop_start(r.loop);
    pa_context_connect(context, nullptr, PA_CONTEXT_NOFLAGS, nullptr);
    WaitFor(r, [&] {
        const pa_context_state_t state = pa_context_get_state(context);
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    });
    if (pa_context_get_state(context) != PA_CONTEXT_READY) {
        pa_threaded_mainloop_unlock(r.loop);
        std::fprintf(stderr, "listen: no sound server\n");
        return 1;
    }
    const pa_sample_spec spec{PA_SAMPLE_S16LE, uint32_t(sync_show::SampleRate), 2};
    pa_stream* stream = pa_stream_new(context, "heard", &spec, nullptr);
    pa_stream_set_state_callback(stream, OnStreamState, r.loop);
    pa_stream_set_read_callback(stream, OnRead, &r);
    pa_buffer_attr attr{};
    attr.maxlength = uint32_t(-1);
    attr.tlength = attr.prebuf = attr.minreq = uint32_t(-1);
    attr.fragsize = uint32_t(pa_usec_to_bytes(5000, &spec));
    pa_stream_connect_record(stream, "null.monitor", &attr,
                             pa_stream_flags_t(PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE));
    WaitFor(r, [&] { return pa_stream_get_state(stream) != PA_STREAM_CREATING; });
    const bool recording = pa_stream_get_state(stream) == PA_STREAM_READY;
    pa_threaded_mainloop_unlock(r.loop);
    if (!recording) {
        std::fprintf(stderr, "listen: cannot record null.monitor\n");
        return 1;
    }
    std::ofstream(dir + "/ready").put('\n');

    std::vector<LightFrame> frames;
    int64_t nextSinkQuery = 0;
    int64_t endNs = INT64_MAX;
    while (MonotonicNs() < endNs) {
        if (std::optional<LightFrame> f = ReceiveFrame(fd, realMinusMono))
            frames.push_back(*f);
        const int64_t now = MonotonicNs();
        if (now >= nextSinkQuery) {
            nextSinkQuery = now + 250000000;
            pa_threaded_mainloop_lock(r.loop);
            if (pa_operation* op = pa_context_get_sink_info_by_name(context, "null", OnSinkInfo, &r))
                pa_operation_unref(op);
            pa_threaded_mainloop_unlock(r.loop);
            if (endNs == INT64_MAX && Exists(dir + "/done"))
                endNs = now + 300000000;
        }
    }
    close(fd);
    pa_threaded_mainloop_lock(r.loop);
    pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    pa_context_disconnect(context);
    pa_context_unref(context);
    pa_threaded_mainloop_unlock(r.loop);
    pa_threaded_mainloop_stop(r.loop);
    pa_threaded_mainloop_free(r.loop);

    Recording rec;
    rec.clicks = PlaceClicks(r);
    // The bare stream's own times stand in for frames when it was the one that played.
    std::ifstream reference(dir + "/reference");
    LightFrame f;
    if (reference)
        frames.clear();
    while (reference >> f.arrivalNs >> f.showTime)
        frames.push_back(f);
    rec.frames = std::move(frames);
    rec.events = ReadEvents(dir + "/events");
    rec.sink = std::move(r.sink);
    // The raw material, for a closer look (av_sync.sh keeps it with AV_SYNC_KEEP set).
    std::ofstream heard(dir + "/heard");
    for (const HeardClick& c : rec.clicks)
        heard << c.heardNs << ' ' << c.k << '\n';
    std::ofstream lights(dir + "/lights");
    for (const LightFrame& f : rec.frames)
        lights << f.arrivalNs << ' ' << f.showTime << '\n';
    const std::string figures = Figures(rec);
    std::ofstream(dir + "/figures") << figures;
    std::fputs(figures.c_str(), stdout);
    return 0;
}
