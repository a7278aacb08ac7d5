#pragma once
// The output keys of [Option]: ArtNetOutput (broadcast, unicast, off), SacnOutput (off,
// multicast, unicast), SacnUniverse, SacnPriority, SacnUnicast (addresses separated by
// commas), SacnInterface (empty: the interface of the Art-Net address), SacnTtl and
// SacnCid, the source's identity, made once and kept.

#include "output/output_config.h"
#include "settings/ini_file.h"

// A missing or unreadable value gives its default: Art-Net broadcast, sACN off, universe 1,
// priority 100, TTL 1. Without a readable CID a new one is made (the next write keeps it).
OutputConfig ReadOutputSettings(const IniFile& ini);
void WriteOutputSettings(IniFile& ini, const OutputConfig& config);
