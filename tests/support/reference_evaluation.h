#pragma once
// The plain reading of a line's colour: walk from the first step to the step at or before
// t. Tests compare the program's search against it; benchmarks use it as the baseline.

#include "document/project_data.h"

inline ColorPair WalkFromFirst(const TStepList& line, int32_t t)
{
    const TStepRec* p = nullptr;
    const TStepRec* n = nullptr;
    for (const TStepRec& s : line) {
        if (s.Time > t) {
            n = &s;
            break;
        }
        p = &s;
    }
    if (!p)
        return {NoColor, 0};
    if (!n)
        return {p->Color, p->Brightness};
    return BlendSteps(*p, *n, t);
}
