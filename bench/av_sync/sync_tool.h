#pragma once
// The lights-against-sound measurement (av_sync.sh runs it):
//   av_sync drive DIR     plays the measuring show through the real runtime (app side)
//   av_sync reference DIR plays the click track on a bare libpulse stream and notes the
//                         stream's own time for it (app side)
//   av_sync listen DIR    records what is heard and what the node receives until DIR/done
//                         appears, then writes the figures to DIR/figures (node side)

#include <cstdint>
#include <string>

int Drive(const std::string& dir);
int Reference(const std::string& dir);
int Listen(const std::string& dir);

int64_t MonotonicNs();
