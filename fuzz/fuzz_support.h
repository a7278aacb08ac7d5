#pragma once
// Helpers for fuzz targets whose reader takes a file path.

#include <cstddef>
#include <cstdint>
#include <string>

// Writes the input to a private file of this process and returns its path.
const std::string& InputFile(const uint8_t* data, size_t size);

// A second private path of this process, for what a target writes.
const std::string& OutputFile();
