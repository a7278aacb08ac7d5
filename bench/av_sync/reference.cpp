// A second reference for the listening side: the click track played by a bare libpulse
// playback stream, whose own time (pa_stream_get_time, the sound server's account of what is
// being heard) stands in for the lights. Every 20 ms the stream's time goes to
// DIR/reference as "CLOCK_MONOTONIC ns, show time ms"; the listener takes those in place of
// received frames. Where the listener and the sound server agree, this offset is 0 on every
// sink; where the real runtime's offset differs from it, the difference is the player's own.
#include "sync_show.h"
#include "sync_tool.h"

#include <pulse/pulseaudio.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <thread>
#include <vector>

namespace {

struct Playing {
    pa_threaded_mainloop* loop = nullptr;
    std::vector<int16_t> samples;
    size_t written = 0; // samples
};

void Signal(pa_threaded_mainloop* loop) { pa_threaded_mainloop_signal(loop, 0); }

void OnContextState(pa_context*, void* loop) { Signal(static_cast<pa_threaded_mainloop*>(loop)); }

void OnStreamState(pa_stream*, void* loop) { Signal(static_cast<pa_threaded_mainloop*>(loop)); }

void OnWrite(pa_stream* stream, size_t bytes, void* user)
{
    auto* p = static_cast<Playing*>(user);
    const size_t n = std::min(bytes / 2, p->samples.size() - p->written) & ~size_t(1);
    if (n == 0)
        return;
    pa_stream_write(stream, p->samples.data() + p->written, n * 2, nullptr, 0, PA_SEEK_RELATIVE);
    p->written += n;
}

} // namespace

int Reference(const std::string& dir)
{
    Playing p;
    p.samples = sync_show::ClickTrackSamples();
    p.loop = pa_threaded_mainloop_new();
    pa_context* context = pa_context_new(pa_threaded_mainloop_get_api(p.loop), "av_sync reference");
    pa_context_set_state_callback(context, OnContextState, p.loop);
    pa_threaded_mainloop_lock(p.loop);
    pa_threaded_mainloop_start(p.loop);
    pa_context_connect(context, nullptr, PA_CONTEXT_NOFLAGS, nullptr);
    while (pa_context_get_state(context) != PA_CONTEXT_READY && PA_CONTEXT_IS_GOOD(pa_context_get_state(context)))
        pa_threaded_mainloop_wait(p.loop);
    if (pa_context_get_state(context) != PA_CONTEXT_READY) {
        pa_threaded_mainloop_unlock(p.loop);
        std::fprintf(stderr, "reference: no sound server\n");
        return 1;
    }
    const pa_sample_spec spec{PA_SAMPLE_S16LE, uint32_t(sync_show::SampleRate), 2};
    pa_stream* stream = pa_stream_new(context, "reference", &spec, nullptr);
    pa_stream_set_state_callback(stream, OnStreamState, p.loop);
    pa_stream_set_write_callback(stream, OnWrite, &p);
    // As a media player asks: 200 ms in all, 10 ms at a time.
    pa_buffer_attr attr{};
    attr.maxlength = attr.prebuf = uint32_t(-1);
    attr.tlength = uint32_t(pa_usec_to_bytes(200000, &spec));
    attr.minreq = uint32_t(pa_usec_to_bytes(10000, &spec));
    attr.fragsize = uint32_t(-1);
    pa_stream_connect_playback(
        stream, nullptr, &attr,
        pa_stream_flags_t(PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_ADJUST_LATENCY),
        nullptr, nullptr);
    while (pa_stream_get_state(stream) == PA_STREAM_CREATING)
        pa_threaded_mainloop_wait(p.loop);
    const bool playing = pa_stream_get_state(stream) == PA_STREAM_READY;
    pa_threaded_mainloop_unlock(p.loop);
    if (!playing) {
        std::fprintf(stderr, "reference: cannot play\n");
        return 1;
    }

    std::ofstream out(dir + "/reference");
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(sync_show::SoundMs - 200);
    auto next = std::chrono::steady_clock::now();
    while (next < end) {
        next += std::chrono::milliseconds(20);
        std::this_thread::sleep_until(next);
        pa_threaded_mainloop_lock(p.loop);
        pa_usec_t usec = 0;
        const bool known = pa_stream_get_time(stream, &usec) == 0;
        const int64_t now = MonotonicNs();
        pa_threaded_mainloop_unlock(p.loop);
        if (known && usec > 0)
            out << now << ' ' << std::lround(double(usec) / 1000) << '\n';
    }
    out.close();

    pa_threaded_mainloop_lock(p.loop);
    pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    pa_context_disconnect(context);
    pa_context_unref(context);
    pa_threaded_mainloop_unlock(p.loop);
    pa_threaded_mainloop_stop(p.loop);
    pa_threaded_mainloop_free(p.loop);
    return 0;
}
