#include "engine/audio_play.h"

#include "common/output_volume.h"

#include <gst/gst.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <sys/stat.h>

namespace {

constexpr guint PlayFlagAudio = 1u << 1;
constexpr guint PlayFlagSoftVolume = 1u << 4;
constexpr GstClockTime PrerollTimeout = 5 * GST_SECOND;
constexpr GstSeekFlags SeekFlags = GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);

// The desktop's sound server; without one the sound is timed but not heard, so duration
// and position still work. The sink that could connect stays connected (READY) for the
// graph: connecting again would cost the open a second round trip to the server.
GstElement* MakeSink()
{
    GstElement* sink = gst_element_factory_make("pulsesink", nullptr);
    if (sink) {
        gst_object_ref_sink(sink);
        if (gst_element_set_state(sink, GST_STATE_READY) == GST_STATE_CHANGE_SUCCESS)
            return sink;
        gst_element_set_state(sink, GST_STATE_NULL);
        gst_object_unref(sink);
    }
    sink = gst_element_factory_make("fakesink", nullptr);
    if (sink) {
        gst_object_ref_sink(sink);
        g_object_set(sink, "sync", TRUE, nullptr);
    }
    return sink;
}

GstPadProbeReturn OnBuffer(GstPad*, GstPadProbeInfo*, gpointer self)
{
    static_cast<AudioPlay*>(self)->FollowOutputGain();
    return GST_PAD_PROBE_OK;
}

int32_t ToMs(gint64 ns)
{
    return int32_t(std::clamp<gint64>(ns / GST_MSECOND, 0, INT32_MAX));
}

} // namespace

bool GstReady()
{
    static const bool ok = gst_init_check(nullptr, nullptr, nullptr);
    return ok;
}

int32_t VolumeHundredthsDb(double v)
{
    if (!(v >= 0.00001)) // also NaN
        v = 0.00001;
    v = std::min(v, 1.0);
    return int32_t(std::log10(v) * 20 * 100);
}

double HundredthsDbToGain(int32_t hundredths) { return std::pow(10.0, hundredths / 2000.0); }

AudioPlay::AudioPlay(const std::string& path) : fileName_(path)
{
    SetVolume(1.0);
    // Only a file is a sound to play: a folder, a device or a pipe is not found.
    struct stat st{};
    if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        errorText_ = FileNotFoundText;
    } else if (!GstReady()) {
        errorText_ = InitFailedText;
    } else {
        // Building the graph loads plugins and connects to the sound server, some
        // milliseconds: on a thread of its own, so that the frames go on meanwhile. Nothing
        // else touches the graph until Opening has taken the outcome.
        opening_ = true;
        openStartedNs_ = g_get_monotonic_time() * 1000;
        building_ = std::async(std::launch::async, [this] { return StartOpen(); });
    }
}

bool AudioPlay::Opening()
{
    if (!opening_)
        return false;
    if (building_.valid()) {
        if (building_.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return true;
        if (!building_.get()) {
            opening_ = false;
            Release();
            errorText_ = InitFailedText;
            return false;
        }
    }
    const GstStateChangeReturn r = gst_element_get_state(pipeline_, nullptr, nullptr, 0);
    const bool late = g_get_monotonic_time() * 1000 - openStartedNs_ > gint64(PrerollTimeout);
    if (r == GST_STATE_CHANGE_ASYNC && !late)
        return true;
    opening_ = false;
    const bool prerolled = r == GST_STATE_CHANGE_SUCCESS || r == GST_STATE_CHANGE_NO_PREROLL;
    if (prerolled && FinishOpen()) {
        ready_ = true;
    } else {
        Release();
        errorText_ = InitFailedText;
    }
    return false;
}

AudioPlay::~AudioPlay()
{
    if (building_.valid())
        building_.wait();
    Release();
}

bool AudioPlay::StartOpen()
{
    pipeline_ = gst_element_factory_make("playbin", nullptr);
    if (pipeline_)
        gst_object_ref_sink(pipeline_);
    outputVolume_ = gst_element_factory_make("volume", nullptr);
    if (outputVolume_)
        gst_object_ref_sink(outputVolume_);
    GstElement* sink = MakeSink();
    if (!pipeline_ || !outputVolume_ || !sink) {
        if (sink)
            gst_object_unref(sink);
        return false;
    }
    gchar* uri = gst_filename_to_uri(fileName_.c_str(), nullptr);
    if (!uri) {
        gst_object_unref(sink);
        return false;
    }
    appliedGain_ = WaveOutGain();
    g_object_set(outputVolume_, "volume", appliedGain_.load(), nullptr);
    // Audio only: a picture in an MP3's tags must not open a video window.
    g_object_set(pipeline_, "uri", uri, "flags", PlayFlagAudio | PlayFlagSoftVolume, "audio-filter",
                 outputVolume_, "audio-sink", sink, nullptr);
    g_free(uri);
    gst_object_unref(sink);

    GstPad* pad = gst_element_get_static_pad(outputVolume_, "sink");
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, OnBuffer, this, nullptr);
    gst_object_unref(pad);

    bus_ = gst_element_get_bus(pipeline_);
    return gst_element_set_state(pipeline_, GST_STATE_PAUSED) != GST_STATE_CHANGE_FAILURE;
}

bool AudioPlay::FinishOpen()
{
    if (GstMessage* error = gst_bus_pop_filtered(bus_, GST_MESSAGE_ERROR)) {
        gst_message_unref(error);
        return false;
    }
    gint64 ns = 0;
    if (!gst_element_query_duration(pipeline_, GST_FORMAT_TIME, &ns) || ns <= 0)
        return false;
    duration_ = ToMs(ns);
    Park();
    return true;
}

void AudioPlay::Release()
{
    if (pipeline_) {
        gst_element_set_state(pipeline_, GST_STATE_NULL);
        gst_object_unref(pipeline_);
        pipeline_ = nullptr;
    }
    if (outputVolume_) {
        gst_object_unref(outputVolume_);
        outputVolume_ = nullptr;
    }
    if (bus_) {
        gst_object_unref(bus_);
        bus_ = nullptr;
    }
}

void AudioPlay::FollowOutputGain()
{
    const double gain = WaveOutGain();
    if (gain != appliedGain_.load()) {
        appliedGain_ = gain;
        g_object_set(outputVolume_, "volume", gain, nullptr);
    }
}

void AudioPlay::Park()
{
    if (!pipeline_ || parked_)
        return;
    GetPosition();
    gst_element_set_state(pipeline_, GST_STATE_READY);
    parked_ = true;
    prerolling_ = settling_ = false;
}

void AudioPlay::Poll()
{
    if (!pipeline_ || parked_ || opening_)
        return;
    const GstStateChangeReturn r = gst_element_get_state(pipeline_, nullptr, nullptr, 0);
    if (r == GST_STATE_CHANGE_FAILURE) {
        // A graph that cannot preroll again stays stopped rather than claim to play.
        if (logical_ == 2)
            logical_ = 0;
        Park();
        return;
    }
    if (r == GST_STATE_CHANGE_ASYNC)
        return;
    if (prerolling_) {
        prerolling_ = false;
        gst_element_seek_simple(pipeline_, GST_FORMAT_TIME, SeekFlags, gint64(lastPosition_) * GST_MSECOND);
        gst_element_set_state(pipeline_, GST_STATE_PLAYING);
    } else if (settling_) {
        settling_ = false;
    }
}

void AudioPlay::Run()
{
    if (!ready_) {
        logical_ = 2;
        return;
    }
    logical_ = 2;
    if (!parked_) {
        gst_element_set_state(pipeline_, GST_STATE_PLAYING);
        return;
    }
    parked_ = false;
    settling_ = true;
    // The graph keeps a volume set while it was prerolled or playing only until it is
    // readied again: every start sets it anew.
    g_object_set(pipeline_, "volume", HundredthsDbToGain(volume_), nullptr);
    // From READY the graph starts at 0 by itself; anywhere else needs a seek once prerolled.
    prerolling_ = lastPosition_ != 0;
    if (gst_element_set_state(pipeline_, prerolling_ ? GST_STATE_PAUSED : GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        logical_ = 0;
        Park();
    }
}

void AudioPlay::Pause()
{
    logical_ = 1;
    if (ready_)
        Park();
}

void AudioPlay::Stop(bool rewind)
{
    logical_ = 0;
    if (ready_)
        Park();
    if (rewind)
        Seek(0);
}

int AudioPlay::GetState()
{
    const bool failed = !opening_ && pipeline_ && !parked_
        && gst_element_get_state(pipeline_, nullptr, nullptr, 0) == GST_STATE_CHANGE_FAILURE;
    Poll();
    return failed ? -1 : logical_;
}

int32_t AudioPlay::GetPosition()
{
    if (!ready_ || duration_ <= 0)
        return 0;
    Poll();
    if (parked_ || settling_ || prerolling_)
        return lastPosition_;
    gint64 ns = 0;
    // During a seek the graph may not answer; the last known position stands meanwhile.
    if (gst_element_query_position(pipeline_, GST_FORMAT_TIME, &ns) && ns >= 0)
        lastPosition_ = ToMs(ns);
    return lastPosition_;
}

void AudioPlay::Seek(int32_t ms)
{
    if (!ready_)
        return;
    const gint64 target = gint64(std::clamp(ms, 0, duration_)) * GST_MSECOND;
    lastPosition_ = ToMs(target);
    if (parked_ || prerolling_)
        return; // the start seeks there
    if (gst_element_seek_simple(pipeline_, GST_FORMAT_TIME, SeekFlags, target))
        settling_ = true;
}

bool AudioPlay::Settling()
{
    Poll();
    return prerolling_ || settling_;
}

bool AudioPlay::IsComplete()
{
    if (opening_ || !bus_)
        return false;
    Poll();
    // Everything queued is taken at once: one message per call would hold the end back by
    // as many frames as there are other messages.
    bool complete = false;
    while (GstMessage* m = gst_bus_pop(bus_)) {
        if (GST_MESSAGE_TYPE(m) == GST_MESSAGE_EOS || GST_MESSAGE_TYPE(m) == GST_MESSAGE_ERROR)
            complete = true;
        gst_message_unref(m);
    }
    return complete;
}

void AudioPlay::SetVolume(double v)
{
    volume_ = VolumeHundredthsDb(v);
    // Until the open has ended the graph is not ours to touch; the first start applies it.
    if (pipeline_ && !opening_)
        g_object_set(pipeline_, "volume", HundredthsDbToGain(volume_), nullptr);
}
