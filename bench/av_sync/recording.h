#pragma once
// What the listening side recorded, all times on CLOCK_MONOTONIC in nanoseconds, and the
// figures drawn from it.

#include <cstdint>
#include <string>
#include <vector>

struct HeardClick {
    int64_t heardNs = 0; // when the click was heard
    int k = 0;           // which click: its show position is k x 250 ms
};

struct LightFrame {
    int64_t arrivalNs = 0; // kernel receive time at the node
    int32_t showTime = 0;  // decoded from line 1
};

struct TransportEvent {
    std::string name;
    int64_t ns = 0;
};

struct SinkLatency {
    double latencyMs = 0;
    double configuredMs = 0;
};

struct Recording {
    std::vector<HeardClick> clicks;
    std::vector<LightFrame> frames;
    std::vector<TransportEvent> events;
    std::vector<SinkLatency> sink;
};

// The figures as "name value" lines, for the caller to print and to store.
std::string Figures(const Recording& r);
