#include "engine/audio_output.h"

#include <pulse/simple.h>

bool ProbeAudioOutput()
{
    const pa_sample_spec format{PA_SAMPLE_S16LE, 44100, 2};
    pa_simple* stream = pa_simple_new(nullptr, "Lumenrill", PA_STREAM_PLAYBACK, nullptr, "output test", &format,
                                      nullptr, nullptr, nullptr);
    if (!stream)
        return false;
    pa_simple_free(stream);
    return true;
}
