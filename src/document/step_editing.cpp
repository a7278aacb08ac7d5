// Editing operations of the show document and the undo history.
#include "document/project_data.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool IsSelected(const TStepRec& s) { return s.Selected != 0; }

int32_t SaturateToInt32(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// A real-valued time truncated toward zero and kept inside what an int64 can hold.
int64_t TruncateTime(double v)
{
    if (std::isnan(v))
        return 0;
    return int64_t(std::clamp(v, -9.0e15, 9.0e15));
}

TStepRec Unselected(TStepRec s)
{
    s.Selected = 0;
    return s;
}

} // namespace

int ProjectData::AddStep(uint32_t color, int32_t brightness, int32_t time, int32_t duration, bool withUndo)
{
    if (withUndo)
        PushUndo();
    auto lock = WriteLock();
    TStepList& line = Current();
    TStepRec s;
    s.Line = CurrentLineIndex();
    if (time == -1)
        time = line.empty() ? 0 : SaturateToInt32(int64_t(line.back().Time) + line.back().Duration);
    s.Time = time;
    s.Duration = duration;
    s.Color = color;
    s.Brightness = brightness;
    line.push_back(s);
    NormalizeLine(line);
    Modified = true;
    return int(line.size());
}

void ProjectData::AddEmptyStep(int32_t time)
{
    ColorPair c = EvaluateLine(CurrentLineIndex(), time);
    if (c.Color == NoColor)
        c = {0, 0};
    AddStep(c.Color, c.Brightness, time, 0, true);
}

void ProjectData::DeleteSelectedOn(bool allLines)
{
    PushUndo();
    auto lock = WriteLock();
    auto erase = [this](TStepList& line) {
        std::erase_if(line, IsSelected);
        NormalizeLine(line);
    };
    if (allLines)
        std::for_each(Lines.begin(), Lines.end(), erase);
    else
        erase(Current());
    Modified = true;
}

void ProjectData::DeleteSelected() { DeleteSelectedOn(false); }

void ProjectData::DeleteSelectedAll() { DeleteSelectedOn(true); }

void ProjectData::DeleteAllSteps()
{
    PushUndo();
    ClearLine(CurrentLineIndex());
    Modified = true;
}

void ProjectData::CopySelected(bool cut)
{
    const TStepList& line = Current();
    if (std::none_of(line.begin(), line.end(), IsSelected))
        return;
    LineClipboard.clear();
    for (const TStepRec& s : line)
        if (IsSelected(s))
            LineClipboard.push_back(Unselected(s));
    if (cut)
        DeleteSelected();
}

void ProjectData::CopySelectedAll(bool cut)
{
    if (CountSelectedAll() == 0)
        return;
    MultiClipboard.clear();
    for (const TStepList& line : Lines)
        for (const TStepRec& s : line)
            if (IsSelected(s))
                MultiClipboard.push_back(Unselected(s));
    if (cut)
        DeleteSelectedAll();
}

void ProjectData::PasteSteps(int32_t t)
{
    if (LineClipboard.empty())
        return;
    PushUndo();
    auto lock = WriteLock();
    TStepList& line = Current();
    const int64_t base = LineClipboard.front().Time;
    for (TStepRec s : LineClipboard) {
        s.Line = CurrentLineIndex();
        s.Time = SaturateToInt32(int64_t(s.Time) + t - base);
        line.push_back(s);
    }
    NormalizeLine(line);
    Modified = true;
}

void ProjectData::PasteStepsAll(int32_t t)
{
    if (MultiClipboard.empty())
        return;
    PushUndo();
    std::stable_sort(MultiClipboard.begin(), MultiClipboard.end(),
                     [](const TStepRec& x, const TStepRec& y) { return x.Time < y.Time; });
    auto lock = WriteLock();
    const int64_t base = MultiClipboard.front().Time;
    for (TStepRec s : MultiClipboard) {
        if (!IsValidLine(s.Line))
            continue;
        s.Time = SaturateToInt32(int64_t(s.Time) + t - base);
        Lines[size_t(s.Line)].push_back(s);
    }
    NormalizeAll();
    Modified = true;
}

void ProjectData::MoveSelected(int32_t delta, bool keepOrder)
{
    if (delta == 0)
        return;
    auto lock = WriteLock();
    for (TStepList& line : Lines) {
        for (size_t i = 0; i < line.size(); ++i) {
            TStepRec& s = line[i];
            if (!IsSelected(s))
                continue;
            int64_t time = int64_t(s.Time) + delta;
            const TStepRec* n = nullptr;
            if (delta > 0) {
                for (size_t j = i + 1; j < line.size() && !n; ++j)
                    if (!IsSelected(line[j]))
                        n = &line[j];
                if (n && ((keepOrder && time > n->Time) || time == n->Time))
                    time = int64_t(n->Time) - 1;
            } else {
                for (size_t j = i; j-- > 0 && !n;)
                    if (!IsSelected(line[j]))
                        n = &line[j];
                if (n && ((keepOrder && time < n->Time) || time == n->Time))
                    time = int64_t(n->Time) + 1;
            }
            s.Time = globals_.ClampTime(time);
        }
    }
    NormalizeAll();
    Modified = true;
}

void ProjectData::StretchSelected(int first, int last, int dragged, double ratio)
{
    auto lock = WriteLock();
    TStepList& line = Current();
    const int count = int(line.size());
    if (first < 0 || first >= count || last < 0 || last >= count || (dragged != first && dragged != last))
        return;
    const int fixed = dragged == last ? first : last;
    const int64_t origin = line[size_t(fixed)].DragOrigin;
    for (int i = 0; i < count; ++i) {
        TStepRec& s = line[size_t(i)];
        if (!IsSelected(s))
            continue;
        if (i != first && i != last)
            s.Time = globals_.ClampTime(TruncateTime(double(origin) + ratio * double(int64_t(s.DragOrigin) - origin)));
        else
            s.Time = globals_.ClampTime(s.Time);
    }
    NormalizeLine(line);
    Modified = true;
}

void ProjectData::StretchTime(double factor)
{
    PushUndo();
    auto lock = WriteLock();
    int64_t a = std::numeric_limits<int64_t>::max();
    for (const TStepList& line : Lines)
        for (const TStepRec& s : line)
            if (IsSelected(s))
                a = std::min<int64_t>(a, s.Time);
    if (a == std::numeric_limits<int64_t>::max())
        return;
    for (TStepList& line : Lines)
        for (TStepRec& s : line)
            if (IsSelected(s))
                s.Time = globals_.ClampTime(TruncateTime(double(a) + factor * double(s.Time - a)));
    NormalizeAll();
    Modified = true;
}

void ProjectData::StretchBrightness(double factor)
{
    PushUndo();
    auto lock = WriteLock();
    for (TStepList& line : Lines)
        for (TStepRec& s : line)
            if (IsSelected(s))
                s.Brightness = int32_t(std::clamp<int64_t>(TruncateTime(s.Brightness * factor), -255, 255));
    Modified = true;
}

void ProjectData::AlignSelected()
{
    PushUndo();
    auto lock = WriteLock();
    const TStepRec* anchor = nullptr;
    int32_t time = 0;
    for (TStepList& line : Lines)
        for (TStepRec& s : line) {
            if (!IsSelected(s))
                continue;
            if (!anchor) {
                anchor = &s;
                time = s.Time;
            } else {
                s.Time = time;
            }
        }
    NormalizeAll();
    Modified = true;
}

int ProjectData::CopyFromLine(int source, int target)
{
    if (!IsValidLine(source) || !IsValidLine(target) || source == target || Lines[size_t(source)].empty())
        return 0;
    auto lock = WriteLock();
    TStepList copy = Lines[size_t(source)];
    for (TStepRec& s : copy)
        s.Line = target;
    Lines[size_t(target)] = std::move(copy);
    Modified = true;
    return int(Lines[size_t(target)].size());
}

void ProjectData::MakeSnapshot(TStepList& out) const
{
    out.clear();
    out.reserve(size_t(TotalStepCount()));
    for (const TStepList& line : Lines)
        out.insert(out.end(), line.begin(), line.end());
}

void ProjectData::PushUndo()
{
    // Reuse the storage of the snapshot that falls off the end.
    TStepList snapshot;
    if (UndoList.size() >= UndoDepth) {
        snapshot = std::move(UndoList.back());
        UndoList.pop_back();
    }
    MakeSnapshot(snapshot);
    UndoList.push_front(std::move(snapshot));
}

void ProjectData::Undo()
{
    if (UndoList.empty())
        return;
    TStepList snapshot = std::move(UndoList.front());
    UndoList.pop_front();
    std::array<TStepList, LineCount> lines;
    for (const TStepRec& s : snapshot)
        if (IsValidLine(s.Line))
            lines[size_t(s.Line)].push_back(s);
    auto lock = WriteLock();
    Lines.swap(lines);
    // An undone change is still a change to the saved file.
    Modified = true;
}

void ProjectData::ClearUndo() { TUndoList().swap(UndoList); }
