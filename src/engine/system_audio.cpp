#include "engine/system_audio.h"

#include "engine/audio_output.h"
#include "engine/audio_play.h"

SystemAudio::SystemAudio() { GstReady(); }

std::unique_ptr<Player> SystemAudio::CreatePlayer(const std::string& path) { return std::make_unique<AudioPlay>(path); }

bool SystemAudio::ProbeOutput() { return ProbeAudioOutput(); }
