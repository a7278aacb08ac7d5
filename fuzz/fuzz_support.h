#pragma once
// Helpers for fuzz targets whose reader takes a file path.

#include <cstddef>
#include <cstdint>
#include <string>

// Writes the input to a private file of this process and returns its path. Readers that
// go by the extension get a path ending in suffix (one file per suffix).
const std::string& InputFile(const uint8_t* data, size_t size, const std::string& suffix = ".in");

// A second private path of this process, for what a target writes (one per suffix).
const std::string& OutputFile(const std::string& suffix = ".out");

// Installs a message handler that shows nothing and answers yes, so that readers which
// report their own errors do not flood the output.
void QuietMessages();
