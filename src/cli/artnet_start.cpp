#include "cli/artnet_start.h"

#include "cli/cli_support.h"
#include "common/translation.h"

#include <iostream>

bool StartArtnetWorker(OutputWorker& thread, int32_t universe)
{
    if (!thread.InitError().empty()) {
        std::cerr << "lumenrill-cli: Art-Net could not start: " << Translated("Core", thread.InitError().c_str())
                  << std::endl;
        thread.ClearInitError();
    }
    if (!thread.SocketReady()) {
        Fail(ExitFailed, "Art-Net UDP port " + std::to_string(ArtnetPort) + ": " + thread.SocketError());
        return false;
    }
    thread.SetNodeNames("Lumenrill", "Lumenrill");
    thread.OutputUniverse = universe;
    thread.Start();
    thread.SendPoll();
    return true;
}
