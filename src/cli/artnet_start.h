#pragma once
// Starting the output worker as the desktop program does, for the commands that use it.

#include "output/output_worker.h"

#include <cstdint>

// Reports a set-up problem on standard error ("Art-Net could not start: ...") and goes on, names
// the node "Lumenrill", sets the output universe, starts the worker and sends the first
// ArtPoll. Output, priority and tick are the caller's to set before.
// Without the Art-Net socket (UDP port 6454 held by another program, say) no frame would
// reach a light and no node could answer: that is printed with the system's reason, the
// worker is not started and the result is false; the caller ends with ExitFailed.
[[nodiscard]] bool StartArtnetWorker(OutputWorker& thread, int32_t universe);
