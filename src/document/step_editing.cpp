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

bool AnySelected(const TStepList& line) { return std::any_of(line.begin(), line.end(), IsSelected); }

// Whether two versions of a line differ in their steps, and whether in their selection.
void CompareLines(const TStepList& a, const TStepList& b, bool& steps, bool& selection)
{
    steps = a.size() != b.size();
    selection = false;
    if (steps) {
        selection = AnySelected(a) || AnySelected(b);
        return;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        TStepRec y = b[i];
        selection = selection || y.Selected != a[i].Selected;
        y.Selected = a[i].Selected;
        steps = steps || !(a[i] == y);
    }
}

} // namespace

int ProjectData::AddStep(uint32_t color, int32_t brightness, int32_t time, int32_t duration, bool withUndo)
{
    ChangeScope scope(*this);
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
    pending_.Lines |= LineBit(s.Line) | NormalizeAll();
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
    ChangeScope scope(*this);
    PushUndo();
    auto lock = WriteLock();
    const int current = CurrentLineIndex();
    for (int l = 0; l < LineCount; ++l) {
        if (!allLines && l != current)
            continue;
        if (std::erase_if(Lines[size_t(l)], IsSelected) > 0) {
            pending_.Lines |= LineBit(l);
            pending_.Selection = true;
        }
    }
    pending_.Lines |= NormalizeAll();
    Modified = true;
}

void ProjectData::DeleteSelected() { DeleteSelectedOn(false); }

void ProjectData::DeleteSelectedAll() { DeleteSelectedOn(true); }

void ProjectData::DeleteAllSteps()
{
    ChangeScope scope(*this);
    PushUndo();
    ClearLine(CurrentLineIndex());
    Modified = true;
}

void ProjectData::CopySelected(bool cut)
{
    const TStepList& line = Current();
    if (!AnySelected(line))
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
    ChangeScope scope(*this);
    PushUndo();
    auto lock = WriteLock();
    TStepList& line = Current();
    const int64_t base = LineClipboard.front().Time;
    for (TStepRec s : LineClipboard) {
        s.Line = CurrentLineIndex();
        s.Time = SaturateToInt32(int64_t(s.Time) + t - base);
        line.push_back(s);
    }
    pending_.Lines |= LineBit(CurrentLineIndex()) | NormalizeAll();
    Modified = true;
}

void ProjectData::PasteStepsAll(int32_t t)
{
    if (MultiClipboard.empty())
        return;
    ChangeScope scope(*this);
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
        pending_.Lines |= LineBit(s.Line);
    }
    pending_.Lines |= NormalizeAll();
    Modified = true;
}

int ProjectData::MoveSelected(int32_t delta, bool keepOrder, int dragged)
{
    if (delta == 0)
        return dragged;
    ChangeScope scope(*this);
    auto lock = WriteLock();
    for (int l = 0; l < LineCount; ++l) {
        TStepList& line = Lines[size_t(l)];
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
            const int32_t moved = globals_.ClampTime(time);
            if (moved != s.Time) {
                s.Time = moved;
                pending_.Lines |= LineBit(l);
            }
        }
    }
    int track[] = {dragged};
    pending_.Lines |= NormalizeAll(track);
    Modified = true;
    return track[0];
}

void ProjectData::StretchSelected(DragSteps& steps, int32_t time)
{
    TStepList& line = Current();
    auto valid = [&line](int i) { return i >= 0 && size_t(i) < line.size(); };
    if (!valid(steps.First) || !valid(steps.Last) || steps.First == steps.Last ||
        (steps.Dragged != steps.First && steps.Dragged != steps.Last))
        return;
    const int64_t first = line[size_t(steps.First)].DragOrigin;
    const int64_t last = line[size_t(steps.Last)].DragOrigin;
    if (first == last)
        return;
    const bool lastDragged = steps.Dragged == steps.Last;
    // Distance of the dragged step from the fixed one, against the distance at the start.
    const double ratio = lastDragged ? (double(time) - double(first)) / double(last - first)
                                     : (double(last) - double(time)) / double(last - first);
    const int64_t origin = lastDragged ? first : last;

    ChangeScope scope(*this);
    auto lock = WriteLock();
    auto setTime = [&](TStepRec& s, int64_t t) {
        const int32_t clamped = globals_.ClampTime(t);
        if (clamped != s.Time) {
            s.Time = clamped;
            pending_.Lines |= LineBit(CurrentLineIndex());
        }
    };
    setTime(line[size_t(steps.Dragged)], time);
    for (int i = 0; i < int(line.size()); ++i) {
        TStepRec& s = line[size_t(i)];
        if (i == steps.First || i == steps.Last)
            setTime(s, s.Time);
        else if (IsSelected(s))
            setTime(s, TruncateTime(double(origin) + ratio * double(int64_t(s.DragOrigin) - origin)));
    }
    int track[] = {steps.First, steps.Last, steps.Dragged};
    pending_.Lines |= NormalizeAll(track);
    steps = {track[0], track[1], track[2]};
    Modified = true;
}

void ProjectData::StretchTime(double factor)
{
    ChangeScope scope(*this);
    PushUndo();
    auto lock = WriteLock();
    int64_t a = std::numeric_limits<int64_t>::max();
    for (const TStepList& line : Lines)
        for (const TStepRec& s : line)
            if (IsSelected(s))
                a = std::min<int64_t>(a, s.Time);
    if (a == std::numeric_limits<int64_t>::max())
        return;
    for (int l = 0; l < LineCount; ++l)
        for (TStepRec& s : Lines[size_t(l)]) {
            if (!IsSelected(s))
                continue;
            const int32_t t = globals_.ClampTime(TruncateTime(double(a) + factor * double(s.Time - a)));
            if (t != s.Time) {
                s.Time = t;
                pending_.Lines |= LineBit(l);
            }
        }
    pending_.Lines |= NormalizeAll();
    Modified = true;
}

void ProjectData::StretchBrightness(double factor)
{
    ChangeScope scope(*this);
    PushUndo();
    auto lock = WriteLock();
    for (int l = 0; l < LineCount; ++l)
        for (TStepRec& s : Lines[size_t(l)]) {
            if (!IsSelected(s))
                continue;
            const int32_t b = int32_t(std::clamp<int64_t>(TruncateTime(s.Brightness * factor), -255, 255));
            if (b != s.Brightness) {
                s.Brightness = b;
                pending_.Lines |= LineBit(l);
            }
        }
    Modified = true;
}

void ProjectData::AlignSelected()
{
    ChangeScope scope(*this);
    PushUndo();
    auto lock = WriteLock();
    bool anchored = false;
    int32_t time = 0;
    for (int l = 0; l < LineCount; ++l)
        for (TStepRec& s : Lines[size_t(l)]) {
            if (!IsSelected(s))
                continue;
            if (!anchored) {
                anchored = true;
                time = s.Time;
            } else if (s.Time != time) {
                s.Time = time;
                pending_.Lines |= LineBit(l);
            }
        }
    pending_.Lines |= NormalizeAll();
    Modified = true;
}

int ProjectData::CopyFromLine(int source, int target)
{
    if (!IsValidLine(source) || !IsValidLine(target) || source == target || Lines[size_t(source)].empty())
        return 0;
    ChangeScope scope(*this);
    auto lock = WriteLock();
    TStepList copy = Lines[size_t(source)];
    for (TStepRec& s : copy)
        s.Line = target;
    TStepList& line = Lines[size_t(target)];
    pending_.Selection = pending_.Selection || AnySelected(line) || AnySelected(copy);
    pending_.Lines |= LineBit(target);
    line = std::move(copy);
    Modified = true;
    return int(line.size());
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
    ChangeScope scope(*this);
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
    ChangeScope scope(*this);
    TStepList snapshot = std::move(UndoList.front());
    UndoList.pop_front();
    std::array<TStepList, LineCount> lines;
    for (const TStepRec& s : snapshot)
        if (IsValidLine(s.Line))
            lines[size_t(s.Line)].push_back(s);
    for (int l = 0; l < LineCount; ++l) {
        bool steps, selection;
        CompareLines(Lines[size_t(l)], lines[size_t(l)], steps, selection);
        if (steps)
            pending_.Lines |= LineBit(l);
        pending_.Selection = pending_.Selection || selection;
    }
    auto lock = WriteLock();
    Lines.swap(lines);
    // An undone change is still a change to the saved file.
    Modified = true;
}

void ProjectData::ClearUndo()
{
    ChangeScope scope(*this);
    TUndoList().swap(UndoList);
}
