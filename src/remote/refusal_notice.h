#pragma once
// When to tell the person about refused OSC senders: once new refusals have come, and not
// more often than every interval, so that a flood of them does not flood the status.

#include "remote/osc_remote.h"

#include <cstdint>
#include <optional>

class RefusalNotice {
public:
    struct News {
        uint32_t count = 0; // refused since the start
        OscEndpoint sender; // the last refused
    };

    explicit RefusalNotice(uint32_t intervalMs) : intervalMs_(intervalMs) {}

    std::optional<News> Take(const OscRemote& remote, uint32_t nowMs);

private:
    uint32_t intervalMs_;
    uint32_t toldCount_ = 0;
    std::optional<uint32_t> toldAt_;
};
