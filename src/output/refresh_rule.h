#pragma once
// When a sender repeats its data, the same rule for Art-Net and sACN: at every change, and
// on the given number of frames after it (so one lost packet does not leave a wrong look
// standing); while nothing changes, a keep-alive once the interval has passed since the last
// send. Time is counted, not frames, so slots skipped during an overrun do not stretch it;
// the keep-alive is due half a frame early so that it leaves on the frame grid, never later
// than the interval.

#include <cstdint>

class RefreshRule {
public:
    RefreshRule(int repeatsAfterChange, int64_t keepAliveNs)
        : repeatsAfterChange_(repeatsAfterChange), keepAliveNs_(keepAliveNs)
    {
    }

    // Whether this frame is to be sent. changed: the data differ from the last sent, or a
    // send is forced.
    bool Due(bool changed, int64_t now, int64_t frameNs)
    {
        if (changed) {
            repeatsLeft_ = repeatsAfterChange_;
            return true;
        }
        if (repeatsLeft_ > 0) {
            --repeatsLeft_;
            return true;
        }
        return now - lastSent_ >= keepAliveNs_ - frameNs / 2;
    }
    void Sent(int64_t now) { lastSent_ = now; }

private:
    int repeatsAfterChange_;
    int64_t keepAliveNs_;
    int repeatsLeft_ = 0;
    int64_t lastSent_ = 0;
};
