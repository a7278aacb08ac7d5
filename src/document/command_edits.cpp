// The editor's commands that change the current step and the selected steps directly.
#include "document/project_data.h"

namespace {

bool IsTarget(const TStepRec& s, int line, int index, int currentLine, int current)
{
    return s.Selected != 0 || (line == currentLine && index == current);
}

} // namespace

void ProjectData::ColorSteps(int current, uint32_t color)
{
    const int currentLine = CurrentLineIndex();
    if (!StepAt(current) && CountSelectedAll() == 0)
        return;
    ChangeScope scope(*this);
    PushUndo();
    auto lock = WriteLock();
    for (int l = 0; l < LineCount; ++l) {
        TStepList& line = Lines[size_t(l)];
        for (int i = 0; i < int(line.size()); ++i) {
            TStepRec& s = line[size_t(i)];
            if (IsTarget(s, l, i, currentLine, current) && s.Color != color) {
                s.Color = color;
                pending_.Lines |= LineBit(l);
            }
        }
    }
    pending_.Lines |= NormalizeAll();
    Modified = true;
}

StepTimeResult ProjectData::SetStepTime(int current, int32_t time)
{
    const int currentLine = CurrentLineIndex();
    if (!StepAt(current) && CountSelectedAll() == 0)
        return {false, current};
    if (time < 0 || time > globals_.SoundDuration)
        return {true, current};
    ChangeScope scope(*this);
    PushUndo();
    auto lock = WriteLock();
    for (int l = 0; l < LineCount; ++l) {
        TStepList& line = Lines[size_t(l)];
        for (int i = 0; i < int(line.size()); ++i) {
            TStepRec& s = line[size_t(i)];
            if (IsTarget(s, l, i, currentLine, current) && s.Time != time) {
                s.Time = time;
                pending_.Lines |= LineBit(l);
            }
        }
    }
    int track[] = {current};
    pending_.Lines |= NormalizeAll(track);
    Modified = true;
    return {false, track[0]};
}

int ProjectData::MoveStepToCursor(int current)
{
    TStepRec* step = StepAt(current);
    if (!step)
        return -1;
    ChangeScope scope(*this);
    PushUndo();
    auto lock = WriteLock();
    const int32_t time = globals_.ClampTime(globals_.PlayPosition);
    if (step->Time != time) {
        step->Time = time;
        pending_.Lines |= LineBit(CurrentLineIndex());
    }
    int track[] = {current};
    pending_.Lines |= NormalizeAll(track);
    Modified = true;
    return track[0];
}

bool ProjectData::BrightnessUp(int current)
{
    TStepRec* step = StepAt(current);
    if (!step || step->Brightness > 254)
        return false;
    ChangeScope scope(*this);
    auto lock = WriteLock();
    ++step->Brightness;
    pending_.Lines |= LineBit(CurrentLineIndex());
    Modified = true;
    return true;
}

bool ProjectData::BrightnessDown(int current)
{
    TStepRec* step = StepAt(current);
    if (!step || step->Brightness < -254)
        return false;
    ChangeScope scope(*this);
    auto lock = WriteLock();
    --step->Brightness;
    pending_.Lines |= LineBit(CurrentLineIndex());
    Modified = true;
    return true;
}
