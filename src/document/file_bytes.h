#pragma once
// Reading a whole file into memory, with the system's reason on failure.

#include <cstdint>
#include <string>
#include <vector>

enum class ReadStatus { Ok, Missing, Failed };

struct FileBytes {
    ReadStatus status = ReadStatus::Failed;
    std::vector<uint8_t> data;
    std::string error;
};

FileBytes ReadWholeFile(const std::string& path);
