// Any bytes as a colour monitor arrangement file (*.ARG): every rectangle read has a size
// and edges a window system can hold, and an arrangement written over the file it came
// from (as saving over an arrangement file does) reads back the same.
#include "fuzz_support.h"

#include "settings/color_monitor_settings.h"

#include <cstdlib>

namespace {

constexpr int32_t MainLeft = 30, MainTop = 40;

// Far edges, even moved onto a screen, stay far from the int's limits.
bool Holdable(const WindowRect& r)
{
    const auto within = [](int32_t v, int32_t low) { return v >= low && v <= (1 << 24); };
    return within(r.Left, -(1 << 24)) && within(r.Top, -(1 << 24)) && within(r.Width, 1) && within(r.Height, 1);
}

bool Same(const ColMonArrangement& a, const ColMonArrangement& b)
{
    for (size_t i = 0; i < a.Tiles.size(); ++i)
        if (a.Tiles[i].Bounds != b.Tiles[i].Bounds || a.Tiles[i].Visible != b.Tiles[i].Visible)
            return false;
    return a.Bounds == b.Bounds && a.State == b.State;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IniFile file(InputFile(data, size, ".ARG"));
    ColMonArrangement arrangement = ReadColMonArrangement(file, MainLeft, MainTop);
    if (!Holdable(arrangement.Bounds))
        std::abort();
    for (const ColMonTilePlacement& tile : arrangement.Tiles)
        if (!Holdable(tile.Bounds))
            std::abort();

    WriteColMonArrangement(file, arrangement);
    const std::string text = file.Text();
    FILE* f = std::fopen(OutputFile(".ARG").c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    // A minimised monitor is stored as a normal one.
    if (arrangement.State == WindowState::Minimized)
        arrangement.State = WindowState::Normal;
    if (!Same(ReadColMonArrangement(IniFile(OutputFile(".ARG")), MainLeft, MainTop), arrangement))
        std::abort();
    return 0;
}
