#include "document/line_cursor.h"

#include <algorithm>

ColorPair LineCursor::At(int32_t t)
{
    if (!started_ || t < lastT_) {
        // Going back in time: find the place again.
        next_ = size_t(std::upper_bound(line_.begin(), line_.end(), t,
                                        [](int32_t time, const TStepRec& s) { return time < s.Time; }) -
                       line_.begin());
        started_ = true;
    } else {
        while (next_ < line_.size() && line_[next_].Time <= t)
            ++next_;
    }
    lastT_ = t;
    if (next_ == 0)
        return {NoColor, 0};
    const TStepRec& p = line_[next_ - 1];
    if (next_ == line_.size())
        return {p.Color, p.Brightness};
    return BlendSteps(p, line_[next_], t);
}
