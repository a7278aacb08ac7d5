#include "remote/refusal_notice.h"

std::optional<RefusalNotice::News> RefusalNotice::Take(const OscRemote& remote, uint32_t nowMs)
{
    if (remote.RefusedCount() == toldCount_ || !remote.LastRefused())
        return std::nullopt;
    if (toldAt_ && nowMs - *toldAt_ < intervalMs_)
        return std::nullopt;
    toldCount_ = remote.RefusedCount();
    toldAt_ = nowMs;
    return News{toldCount_, *remote.LastRefused()};
}
