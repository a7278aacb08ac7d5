#include "cli/artnet_start.h"

#include <iostream>

void StartArtnetWorker(TArtnetThread& thread, int32_t universe)
{
    if (!thread.InitError().empty()) {
        std::cerr << "ArtNet初期化エラー: " << thread.InitError() << std::endl;
        thread.ClearInitError();
    }
    thread.SetNodeNames("Lumenrill", "Lumenrill");
    thread.OutputUniverse = universe;
    thread.Start();
    thread.SendPoll();
}
