// Selecting steps, and the plot positions the extended selection keeps in them.
#include "document/project_data.h"

#include <algorithm>

namespace {

// Sets Selected and tells whether it changed.
bool Mark(TStepRec& s, uint8_t value)
{
    if (s.Selected == value)
        return false;
    s.Selected = value;
    return true;
}

} // namespace

void ProjectData::SetSelection(uint8_t value, bool allLines)
{
    ChangeScope scope(*this);
    auto lock = WriteLock();
    auto set = [this, value](TStepList& line) {
        for (TStepRec& s : line)
            if (Mark(s, value))
                pending_.Selection = true;
    };
    if (allLines)
        std::for_each(Lines.begin(), Lines.end(), set);
    else
        set(Current());
}

void ProjectData::SelectRange(int a, int b)
{
    ChangeScope scope(*this);
    auto lock = WriteLock();
    TStepList& line = Current();
    const int count = int(line.size());
    auto inRange = [&](int i) {
        if (a != -1 && b != -1) {
            const int lo = std::min(a, b), hi = std::max(a, b);
            return lo >= 0 && hi < count && i >= lo && i <= hi;
        }
        return a == -1 && b >= 0 && b < count && i == b;
    };
    for (int i = 0; i < count; ++i)
        if (Mark(line[size_t(i)], inRange(i) ? 1 : 0))
            pending_.Selection = true;
}

void ProjectData::SelectStep(int index, bool alone)
{
    TStepRec* step = StepAt(index);
    if (!step)
        return;
    ChangeScope scope(*this);
    if (alone && !step->Selected)
        SetSelection(0, true);
    auto lock = WriteLock();
    if (Mark(*step, 1))
        pending_.Selection = true;
}

void ProjectData::SelectSteps(std::span<const StepPos> steps)
{
    ChangeScope scope(*this);
    auto lock = WriteLock();
    for (const StepPos& p : steps) {
        if (!IsValidLine(p.Line) || p.Index < 0 || size_t(p.Index) >= Lines[size_t(p.Line)].size())
            continue;
        if (Mark(Lines[size_t(p.Line)][size_t(p.Index)], 1))
            pending_.Selection = true;
    }
}

void ProjectData::SelectOnly(std::span<const StepPos> steps)
{
    ChangeScope scope(*this);
    SetSelection(0, true);
    SelectSteps(steps);
}

void ProjectData::SetPlotPoints(std::span<const PlotPoint> points)
{
    // Scratch values no view paints: nothing to report.
    auto lock = WriteLock();
    for (const PlotPoint& p : points) {
        const StepPos& at = p.Step;
        if (!IsValidLine(at.Line) || at.Index < 0 || size_t(at.Index) >= Lines[size_t(at.Line)].size())
            continue;
        TStepRec& s = Lines[size_t(at.Line)][size_t(at.Index)];
        s.PlotX = p.X;
        s.PlotY = p.Y;
    }
}
