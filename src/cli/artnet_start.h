#pragma once
// Starting the Art-Net worker as the desktop program does, for the commands that use it.

#include "artnet/artnet_thread.h"

#include <cstdint>

// Reports a set-up problem on standard error ("ArtNet初期化エラー: ...") and goes on, names
// the node "Lumenrill", sets the output universe, starts the worker and sends the first
// ArtPoll. Output, priority and tick are the caller's to set before.
void StartArtnetWorker(TArtnetThread& thread, int32_t universe);
