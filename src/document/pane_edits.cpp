// Mouse editing on the line lane, the mark bar and the colour bar: drags, the wheel, the
// palette and the brightness track bar.
#include "document/project_data.h"

#include <algorithm>

namespace {

int32_t ClampBrightness(int64_t b) { return int32_t(std::clamp<int64_t>(b, -255, 255)); }

} // namespace

DragSteps ProjectData::StartDrag(int pressed)
{
    ChangeScope scope(*this);
    PushUndo();
    auto lock = WriteLock();
    DragSteps steps;
    steps.Dragged = pressed;
    TStepList& line = Current();
    for (int i = 0; i < int(line.size()); ++i) {
        TStepRec& s = line[size_t(i)];
        if (!s.Selected)
            continue;
        s.DragOrigin = s.Time;
        if (steps.First < 0)
            steps.First = i;
        steps.Last = i;
    }
    return steps;
}

void ProjectData::DragBrightness(int dragged, int32_t brightness)
{
    const TStepRec* step = StepAt(dragged);
    if (!step)
        return;
    const int64_t delta = int64_t(brightness) - step->Brightness;
    ChangeScope scope(*this);
    auto lock = WriteLock();
    for (int l = 0; l < LineCount; ++l)
        for (TStepRec& s : Lines[size_t(l)]) {
            if (!s.Selected)
                continue;
            const int32_t b = ClampBrightness(s.Brightness + delta);
            if (b != s.Brightness) {
                s.Brightness = b;
                pending_.Lines |= LineBit(l);
            }
        }
    Modified = true;
}

void ProjectData::WheelBrightness(int current, int32_t delta)
{
    const int currentLine = CurrentLineIndex();
    ChangeScope scope(*this);
    auto lock = WriteLock();
    for (int l = 0; l < LineCount; ++l) {
        TStepList& line = Lines[size_t(l)];
        for (int i = 0; i < int(line.size()); ++i) {
            TStepRec& s = line[size_t(i)];
            if (!s.Selected && !(l == currentLine && i == current))
                continue;
            const int32_t b = ClampBrightness(int64_t(s.Brightness) + delta);
            if (b != s.Brightness) {
                s.Brightness = b;
                pending_.Lines |= LineBit(l);
            }
        }
    }
    // Marked even when no step moved.
    Modified = true;
}

void ProjectData::SetStepBrightness(int index, int32_t brightness, bool markModified)
{
    TStepRec* step = StepAt(index);
    if (!step)
        return;
    ChangeScope scope(*this);
    auto lock = WriteLock();
    if (step->Brightness != brightness) {
        step->Brightness = brightness;
        pending_.Lines |= LineBit(CurrentLineIndex());
    }
    if (markModified)
        Modified = true;
}

void ProjectData::ZeroBrightness(int current)
{
    if (!StepAt(current))
        return;
    ChangeScope scope(*this);
    PushUndo();
    SetStepBrightness(current, 0);
}

void ProjectData::PaintColor(int current, uint32_t color, bool withUndo)
{
    TStepRec* step = StepAt(current);
    if (!step)
        return;
    ChangeScope scope(*this);
    if (withUndo)
        PushUndo();
    auto lock = WriteLock();
    if (step->Color != color) {
        step->Color = color;
        pending_.Lines |= LineBit(CurrentLineIndex());
    }
    Modified = true;
}

int ProjectData::EndTimeDrag(int dragged, std::optional<int32_t> dropAt)
{
    ChangeScope scope(*this);
    auto lock = WriteLock();
    TStepRec* step = StepAt(dragged);
    if (step && dropAt) {
        const int32_t time = globals_.ClampTime(*dropAt);
        if (step->Time != time) {
            step->Time = time;
            pending_.Lines |= LineBit(CurrentLineIndex());
        }
    }
    int track[] = {dragged};
    pending_.Lines |= NormalizeAll(track);
    Modified = true;
    return track[0];
}
