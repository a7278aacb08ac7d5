#pragma once
// The modification time of a sound file as the show stores it: days since 1899-12-30
// 00:00 UTC, the fraction being the time of day. The show compares it for equality to
// tell whether the cached waveform still belongs to the file, so the same file always
// gives the same value (to the nanosecond the file system keeps).

#include <string>

// 0 when the file's time cannot be read.
double SoundFileTime(const std::string& path);
