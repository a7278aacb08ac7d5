#include "document/project_data.h"

#include "common/paths.h"
#include "common/text_codec.h"
#include "common/version.h"

#include <algorithm>
#include <limits>

std::array<int32_t, DmxSlots> ThroughPatch()
{
    std::array<int32_t, DmxSlots> patch;
    for (int i = 0; i < DmxSlots; ++i)
        patch[i] = i < 3 * LineCount ? i : -1;
    return patch;
}

ProjectData::ProjectData(PlayGlobals& globals)
    : Version(Utf8ToUtf16(ProgramVersion)), Patch(ThroughPatch()), globals_(globals)
{
}

int ProjectData::CurrentLineIndex() const { return std::clamp(CurrentLine.load(), 0, LineCount - 1); }

TStepRec* ProjectData::StepAt(int index)
{
    TStepList& line = Current();
    if (index < 0 || size_t(index) >= line.size())
        return nullptr;
    return &line[size_t(index)];
}

int ProjectData::CountSelected() const
{
    const TStepList& line = Lines[CurrentLineIndex()];
    return int(std::count_if(line.begin(), line.end(), [](const TStepRec& s) { return s.Selected != 0; }));
}

int ProjectData::CountSelectedAll() const
{
    int n = 0;
    for (const TStepList& line : Lines)
        n += int(std::count_if(line.begin(), line.end(), [](const TStepRec& s) { return s.Selected != 0; }));
    return n;
}

int ProjectData::TotalStepCount() const
{
    size_t n = 0;
    for (const TStepList& line : Lines)
        n += line.size();
    return int(n);
}

void ProjectData::SetSelection(uint8_t value, bool allLines)
{
    auto lock = WriteLock();
    auto set = [value](TStepList& line) {
        for (TStepRec& s : line)
            s.Selected = value;
    };
    if (allLines)
        std::for_each(Lines.begin(), Lines.end(), set);
    else
        set(Current());
}

void ProjectData::SelectRange(int a, int b)
{
    auto lock = WriteLock();
    TStepList& line = Current();
    const int count = int(line.size());
    for (TStepRec& s : line)
        s.Selected = 0;
    if (a != -1 && b != -1) {
        if (b < a)
            std::swap(a, b);
        if (a >= 0 && b < count)
            for (int i = a; i <= b; ++i)
                line[size_t(i)].Selected = 1;
    } else if (a == -1 && b >= 0 && b < count) {
        line[size_t(b)].Selected = 1;
    }
}

void ProjectData::NormalizeLine(TStepList& line)
{
    if (line.empty())
        return;
    std::stable_sort(line.begin(), line.end(), [](const TStepRec& x, const TStepRec& y) { return x.Time < y.Time; });
    // Steps more than 24 days apart (only pastes and files put them there) keep the
    // longest duration there is rather than a wrapped, negative one.
    for (size_t i = 0; i + 1 < line.size(); ++i)
        line[i].Duration =
            int32_t(std::min<int64_t>(int64_t(line[i + 1].Time) - line[i].Time, std::numeric_limits<int32_t>::max()));
    line.back().Duration = 0;
}

void ProjectData::NormalizeAll()
{
    for (TStepList& line : Lines)
        NormalizeLine(line);
}

void ProjectData::Normalize()
{
    auto lock = WriteLock();
    NormalizeAll();
}

void ProjectData::ClearLine(int index)
{
    if (!IsValidLine(index))
        return;
    auto lock = WriteLock();
    TStepList().swap(Lines[size_t(index)]);
}

void ProjectData::SetSoundPath(const std::string& path)
{
    const std::string& dir = ExeDir();
    std::string stored = path.starts_with(dir) ? path.substr(dir.size()) : path;
    SoundFile = Utf8ToUtf16(stored).substr(0, SoundFileUnits - 1);
    Modified = true;
}

void ProjectData::SetTitle(const std::u16string& title)
{
    Title = title.substr(0, TitleUnits - 1);
    Modified = true;
}

ColorPair BlendSteps(const TStepRec& p, const TStepRec& n, int32_t t)
{
    if (int64_t(t) >= int64_t(p.Time) + p.Duration)
        return {n.Color, n.Brightness};
    // Here p.Time <= t < p.Time + Duration, so Duration > 0.
    const double x = double(int64_t(t) - p.Time) / double(p.Duration);
    auto blend = [x](double a, double b) { return int32_t(a + (b - a) * x); };
    const uint32_t r = uint32_t(blend(RedOf(p.Color), RedOf(n.Color)));
    const uint32_t g = uint32_t(blend(GreenOf(p.Color), GreenOf(n.Color)));
    const uint32_t b = uint32_t(blend(BlueOf(p.Color), BlueOf(n.Color)));
    return {PackColor(r, g, b), blend(p.Brightness, n.Brightness)};
}

ColorPair EvaluateSteps(const TStepList& line, int32_t t)
{
    auto next = std::upper_bound(line.begin(), line.end(), t,
                                 [](int32_t time, const TStepRec& s) { return time < s.Time; });
    if (next == line.begin())
        return {NoColor, 0};
    const TStepRec& p = *(next - 1);
    if (next == line.end())
        return {p.Color, p.Brightness};
    return BlendSteps(p, *next, t);
}

ColorPair ProjectData::EvaluateLine(int line, int32_t t) const
{
    if (!IsValidLine(line))
        return {NoColor, 0};
    return EvaluateSteps(Lines[size_t(line)], t);
}
