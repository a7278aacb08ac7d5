#pragma once
// Evaluates one line at a run of rising times (the pixel columns of a pane) by moving a
// cursor along the line: linear in columns plus steps. Gives the same result as
// ProjectData::EvaluateLine at every time.

#include "document/color.h"
#include "document/project_data.h"

class LineCursor {
public:
    explicit LineCursor(const TStepList& line) : line_(line) {}
    ColorPair At(int32_t t);

private:
    const TStepList& line_;
    size_t next_ = 0; // first step with Time > the last t asked for
    bool started_ = false;
    int32_t lastT_ = 0;
};
