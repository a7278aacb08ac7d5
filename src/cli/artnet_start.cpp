#include "cli/artnet_start.h"

#include "cli/cli_support.h"

#include <iostream>

bool StartArtnetWorker(OutputWorker& thread, int32_t universe)
{
    if (!thread.InitError().empty()) {
        std::cerr << "ArtNet初期化エラー: " << thread.InitError() << std::endl;
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
