#include "document/project_data.h"

#include "common/text_codec.h"
#include "common/version.h"

#include <algorithm>
#include <limits>
#include <numeric>

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

const TStepRec* ProjectData::StepAt(int index) const
{
    const TStepList& line = Lines[size_t(CurrentLineIndex())];
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

bool ProjectData::NormalizeLine(TStepList& line, std::span<int> track)
{
    if (line.empty())
        return false;
    bool changed = false;
    auto byTime = [](const TStepRec& x, const TStepRec& y) { return x.Time < y.Time; };
    if (!std::is_sorted(line.begin(), line.end(), byTime)) {
        changed = true;
        if (track.empty()) {
            std::stable_sort(line.begin(), line.end(), byTime);
        } else {
            // Sort an order of indexes instead, to learn where each tracked step goes.
            std::vector<size_t> order(line.size());
            std::iota(order.begin(), order.end(), size_t(0));
            std::stable_sort(order.begin(), order.end(),
                             [&line](size_t x, size_t y) { return line[x].Time < line[y].Time; });
            std::vector<int> place(line.size());
            TStepList sorted;
            sorted.reserve(line.size());
            for (size_t k = 0; k < order.size(); ++k) {
                place[order[k]] = int(k);
                sorted.push_back(line[order[k]]);
            }
            line.swap(sorted);
            for (int& i : track)
                if (i >= 0 && size_t(i) < place.size())
                    i = place[size_t(i)];
        }
    }
    // Steps more than 24 days apart (only pastes and files put them there) keep the
    // longest duration there is rather than a wrapped, negative one.
    for (size_t i = 0; i < line.size(); ++i) {
        const int32_t duration =
            i + 1 < line.size()
                ? int32_t(std::min<int64_t>(int64_t(line[i + 1].Time) - line[i].Time, std::numeric_limits<int32_t>::max()))
                : 0;
        if (line[i].Duration != duration) {
            line[i].Duration = duration;
            changed = true;
        }
    }
    return changed;
}

uint8_t ProjectData::NormalizeAll(std::span<int> track)
{
    const int current = CurrentLineIndex();
    uint8_t changed = 0;
    for (int l = 0; l < LineCount; ++l)
        if (NormalizeLine(Lines[size_t(l)], l == current ? track : std::span<int>()))
            changed |= LineBit(l);
    return changed;
}

void ProjectData::Normalize()
{
    ChangeScope scope(*this);
    auto lock = WriteLock();
    pending_.Lines |= NormalizeAll();
}

void ProjectData::ClearLine(int index)
{
    if (!IsValidLine(index))
        return;
    ChangeScope scope(*this);
    auto lock = WriteLock();
    TStepList& line = Lines[size_t(index)];
    if (line.empty())
        return;
    pending_.Selection = pending_.Selection || std::any_of(line.begin(), line.end(), [](const TStepRec& s) {
                             return s.Selected != 0;
                         });
    pending_.Lines |= LineBit(index);
    TStepList().swap(line);
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
