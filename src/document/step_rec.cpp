#include "document/step_rec.h"

#include "common/byte_io.h"

#include <algorithm>

TStepRec DecodeStep(const uint8_t* p)
{
    TStepRec s;
    s.Line = GetLeI32(p + 0);
    s.Time = GetLeI32(p + 4);
    s.Duration = GetLeI32(p + 8);
    s.Color = GetLe32(p + 12);
    s.Brightness = GetLeI32(p + 16);
    s.Selected = p[20];
    std::copy_n(p + 21, 3, s.Padding.begin());
    s.DragOrigin = GetLeI32(p + 24);
    s.PlotX = GetLeI32(p + 28);
    s.PlotY = GetLeI32(p + 32);
    std::copy_n(p + 36, 16, s.Reserved.begin());
    return s;
}

void EncodeStep(const TStepRec& s, uint8_t* p)
{
    PutLeI32(p + 0, s.Line);
    PutLeI32(p + 4, s.Time);
    PutLeI32(p + 8, s.Duration);
    PutLe32(p + 12, s.Color);
    PutLeI32(p + 16, s.Brightness);
    p[20] = s.Selected;
    std::copy(s.Padding.begin(), s.Padding.end(), p + 21);
    PutLeI32(p + 24, s.DragOrigin);
    PutLeI32(p + 28, s.PlotX);
    PutLeI32(p + 32, s.PlotY);
    std::copy(s.Reserved.begin(), s.Reserved.end(), p + 36);
}
