#include "sound/mp3_decoder.h"

#include "common/byte_io.h"
#include "sound/sample_order.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mpg123.h>
#include <vector>

namespace {

struct HandleDeleter {
    void operator()(mpg123_handle* h) const { mpg123_delete(h); }
};
using Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// A quiet handle with the MP3 opened for 16-bit output in its own channel count; the
// length is known afterwards (from the Info frame, or a scan of the file). Null when the
// file cannot be opened or holds no MP3 frame.
Handle OpenMp3(const std::string& path, long& rate, int& channels)
{
    Handle h(mpg123_new(nullptr, nullptr));
    if (!h)
        return nullptr;
    int encoding = 0;
    if (mpg123_param(h.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0) != MPG123_OK ||
        mpg123_open_fixed(h.get(), path.c_str(), MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK ||
        mpg123_getformat(h.get(), &rate, &channels, &encoding) != MPG123_OK)
        return nullptr;
    if (encoding != MPG123_ENC_SIGNED_16 || (channels != 1 && channels != 2) || rate <= 0)
        return nullptr;
    return h;
}

// The 44-byte header of a 16-bit PCM WAV file holding dataBytes of sound.
void PutWavHeader(uint8_t* h, int channels, long rate, uint32_t dataBytes)
{
    const uint32_t blockAlign = uint32_t(channels) * 2;
    std::copy_n("RIFF", 4, h);
    PutLe32(h + 4, 36 + dataBytes);
    std::copy_n("WAVE", 4, h + 8);
    std::copy_n("fmt ", 4, h + 12);
    PutLe32(h + 16, 16);
    PutLe16(h + 20, 1);
    PutLe16(h + 22, uint16_t(channels));
    PutLe32(h + 24, uint32_t(rate));
    PutLe32(h + 28, uint32_t(rate) * blockAlign);
    PutLe16(h + 32, uint16_t(blockAlign));
    PutLe16(h + 34, 16);
    std::copy_n("data", 4, h + 36);
    PutLe32(h + 40, dataBytes);
}

// Decodes into an open file; the header is written last, once the size is known.
bool Decode(mpg123_handle* h, std::FILE* out, int channels, long rate, uint64_t maxDataBytes)
{
    uint8_t header[44] = {};
    if (std::fwrite(header, 1, sizeof header, out) != sizeof header)
        return false;
    std::vector<int16_t> buffer(32768);
    const size_t bufferBytes = buffer.size() * sizeof(int16_t);
    uint64_t written = 0;
    // Reads that neither give sound nor end the stream; a sound file never needs many.
    int idle = 0;
    for (;;) {
        size_t done = 0;
        const int r = mpg123_read(h, buffer.data(), bufferBytes, &done);
        if (done > 0) {
            if (written + done > maxDataBytes)
                return false;
            SwapSamplesOnBigEndian(buffer.data(), done / 2);
            if (std::fwrite(buffer.data(), 1, done, out) != done)
                return false;
            written += done;
            idle = 0;
        } else if (++idle > 1000) {
            return false;
        }
        if (r == MPG123_DONE)
            break;
        if (r != MPG123_OK && r != MPG123_NEW_FORMAT)
            return false;
    }
    if (written == 0)
        return false;
    PutWavHeader(header, channels, rate, uint32_t(written));
    return std::fseek(out, 0, SEEK_SET) == 0 && std::fwrite(header, 1, sizeof header, out) == sizeof header;
}

} // namespace

bool DecodeMp3ToWav(const std::string& mp3Path, const std::string& wavPath, uint64_t maxDataBytes)
{
    std::remove(wavPath.c_str());
    long rate = 0;
    int channels = 0;
    Handle h = OpenMp3(mp3Path, rate, channels);
    if (!h)
        return false;
    File out(std::fopen(wavPath.c_str(), "wb"));
    if (!out)
        return false;
    bool ok = Decode(h.get(), out.get(), channels, rate, std::min(maxDataBytes, MaxWavDataBytes));
    ok = std::fclose(out.release()) == 0 && ok;
    if (!ok)
        std::remove(wavPath.c_str());
    return ok;
}

bool GetMp3Info(const std::string& mp3Path, Mp3Info& info)
{
    long rate = 0;
    int channels = 0;
    Handle h = OpenMp3(mp3Path, rate, channels);
    if (!h)
        return false;
    const off_t samples = mpg123_length(h.get());
    info.Channels = channels;
    info.SampleRate = int32_t(rate);
    info.RateDecimal = int32_t(rate % 1000 / 100);
    info.PlayingTime = samples > 0 ? int32_t(samples / rate) : 0;
    return true;
}
