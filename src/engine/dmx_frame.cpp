#include "engine/dmx_frame.h"

#include "document/color.h"

void BuildDmxFrame(const LineColors& output, const std::array<std::atomic<int32_t>, DmxSlots>& patch,
                   int32_t checkGroup, uint8_t* frame)
{
    uint8_t source[3 * LineCount];
    for (int l = 0; l < LineCount; ++l) {
        const uint32_t c = output[size_t(l)];
        source[3 * l] = uint8_t(RedOf(c));
        source[3 * l + 1] = uint8_t(GreenOf(c));
        source[3 * l + 2] = uint8_t(BlueOf(c));
    }
    for (int i = 0; i < DmxSlots; ++i) {
        const int32_t p = patch[size_t(i)].load(std::memory_order_relaxed);
        if (i / 3 == checkGroup)
            frame[i] = 255;
        else if (p >= 0 && p < 3 * LineCount)
            frame[i] = source[p];
        else
            frame[i] = 0;
    }
}

LineColors EvaluateOutput(const ProjectData& doc, int32_t t)
{
    LineColors out;
    for (int l = 0; l < LineCount; ++l) {
        const ColorPair c = doc.EvaluateLine(l, t);
        out[size_t(l)] = ApplyBrightness(c.Color, c.Brightness);
    }
    return out;
}
