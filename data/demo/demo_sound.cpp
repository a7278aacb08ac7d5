// Writes the demo show's music: 30 seconds at 120 beats a minute in A minor (a kick on every
// beat, a snare on two and four, hi-hats between, a bass line and chords), 44.1 kHz 16-bit
// stereo. Integer arithmetic only, so every build on every machine writes the same bytes.
//
// usage: demo_sound OUTPUT.wav
#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int32_t Rate = 44100;
constexpr int32_t Eighth = Rate / 4; // 120 beats a minute: a beat is half a second
constexpr int32_t Beat = 2 * Eighth;
constexpr int32_t Bar = 4 * Beat;
constexpr int32_t Bars = 15;
constexpr int32_t Frames = Bars * Bar;

// Phase steps of a 32-bit oscillator for a frequency in millihertz.
constexpr uint32_t Step(uint64_t milliHertz) { return uint32_t((milliHertz << 32) / (uint64_t(Rate) * 1000)); }

int32_t Saw(uint32_t phase) { return int32_t(phase >> 16) - 32768; }
int32_t Triangle(uint32_t phase)
{
    const int32_t t = int32_t(phase >> 15); // 0..131071
    return t < 65536 ? t - 32768 : 98303 - t;
}

struct Noise {
    uint32_t state = 12345;
    int32_t Next()
    {
        state = state * 1664525u + 1013904223u;
        return int32_t(state >> 16) - 32768;
    }
};

// A bar's chord: bass root, then three chord tones (millihertz). Am, F, C, G.
struct Chord {
    uint64_t root;
    std::array<uint64_t, 3> tones;
};
constexpr std::array<Chord, 4> Progression{{
    {110000, {440000, 523251, 659255}}, // A2; A4 C5 E5
    {87307, {349228, 440000, 523251}},  // F2; F4 A4 C5
    {130813, {392000, 523251, 659255}}, // C3; G4 C5 E5
    {97999, {392000, 493883, 587330}},  // G2; G4 B4 D5
}};

// A value that falls from full (32768) to zero over length frames.
int32_t Decay(int32_t at, int32_t length) { return at >= length ? 0 : int32_t(32768 - int64_t(at) * 32768 / length); }

int16_t Clip(int64_t v) { return int16_t(v > 32767 ? 32767 : v < -32768 ? -32768 : v); }

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: demo_sound OUTPUT.wav\n");
        return 2;
    }
    std::vector<uint8_t> wav;
    const char* riff = "RIFF";
    wav.insert(wav.end(), riff, riff + 4);
    Put32(wav, 36 + uint32_t(Frames) * 4);
    const char* fmt = "WAVEfmt ";
    wav.insert(wav.end(), fmt, fmt + 8);
    Put32(wav, 16);
    Put32(wav, 1 | (2u << 16));           // PCM, two channels
    Put32(wav, Rate);
    Put32(wav, Rate * 4);
    Put32(wav, 4 | (16u << 16));          // block align, bits
    const char* data = "data";
    wav.insert(wav.end(), data, data + 4);
    Put32(wav, uint32_t(Frames) * 4);

    uint32_t bassPhase = 0, kickPhase = 0, snarePhase = 0;
    std::array<uint32_t, 6> chordPhase{};
    int32_t chordLeft = 0, chordRight = 0, lastHat = 0;
    Noise noise;
    for (int32_t i = 0; i < Frames; ++i) {
        const int32_t bar = i / Bar, inBar = i % Bar, beat = inBar / Beat, inBeat = i % Beat, inEighth = i % Eighth;
        const Chord& chord = Progression[size_t(bar % 4)];
        const bool full = bar >= 2 && bar < Bars - 2; // two bars of intro and two of outro

        // Kick: a triangle falling from 150 to 45 Hz in a tenth of a second, on every beat
        // after the first bar.
        int64_t kick = 0;
        if (bar >= 1 && inBeat < Rate / 4) {
            const uint64_t milliHertz = inBeat < Rate / 10 ? 150000 - uint64_t(inBeat) * 105000 / (Rate / 10) : 45000;
            kickPhase += Step(milliHertz);
            kick = int64_t(Triangle(kickPhase)) * Decay(inBeat, Rate / 4) >> 15;
        } else {
            kickPhase = 0;
        }
        // Snare on two and four: noise over a low body.
        int64_t snare = 0;
        if (full && (beat == 1 || beat == 3)) {
            snarePhase += Step(180000);
            snare = (int64_t(noise.Next()) + Triangle(snarePhase)) * Decay(inBeat, Rate * 3 / 20) >> 16;
        }
        // Hi-hat on the eighths between the beats: the noise's changes only, short.
        const int32_t n = noise.Next();
        int64_t hat = 0;
        if (inBeat >= Eighth && bar < Bars - 1)
            hat = int64_t(n - lastHat) * Decay(inEighth, Rate / 25) >> 16;
        lastHat = n;
        // Bass: the root in eighths, every third one an octave up, each plucked.
        int64_t bass = 0;
        if (full) {
            const bool octave = (inBar / Eighth) % 3 == 2;
            bassPhase += Step(octave ? 2 * chord.root : chord.root);
            bass = int64_t(Triangle(bassPhase) / 2 + Saw(bassPhase) / 4) * (8192 + Decay(inEighth, Eighth) * 3 / 4) >> 15;
        }
        // Chords: three saws on each side (the right a little sharp), softened, swelling
        // from each beat to the next so the waveform shows the pulse.
        int64_t left = 0, right = 0;
        for (size_t v = 0; v < 3; ++v) {
            chordPhase[v] += Step(chord.tones[v]);
            chordPhase[v + 3] += Step(chord.tones[v] * 1003 / 1000);
            left += Saw(chordPhase[v]);
            right += Saw(chordPhase[v + 3]);
        }
        chordLeft += int32_t((left / 3 - chordLeft) >> 3);
        chordRight += int32_t((right / 3 - chordRight) >> 3);
        const int64_t pump = 12000 + int64_t(inBeat) * 20768 / Beat;

        int64_t l = kick * 230 + snare * 110 + hat * 60 + bass * 130 + (chordLeft * pump >> 15) * 70;
        int64_t r = kick * 230 + snare * 110 + hat * 100 + bass * 130 + (chordRight * pump >> 15) * 70;
        // The last bar fades out.
        const int64_t fade = bar == Bars - 1 ? Bar - inBar : Bar;
        l = l * fade / Bar / 400;
        r = r * fade / Bar / 400;
        for (const int16_t s : {Clip(l), Clip(r)}) {
            wav.push_back(uint8_t(uint16_t(s) & 0xFF));
            wav.push_back(uint8_t(uint16_t(s) >> 8));
        }
    }

    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(wav.data(), 1, wav.size(), f) != wav.size() || std::fclose(f) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
