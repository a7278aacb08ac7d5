#pragma once
// A read-only file with an explicit position, for walking sound file headers and reading
// sound data in large blocks.

#include <cstddef>
#include <cstdint>
#include <string>

class FileReader {
public:
    FileReader() = default;
    explicit FileReader(const std::string& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // The size when the file was opened.
    uint64_t Size() const { return size_; }
    uint64_t Position() const { return position_; }

    // Reads up to n bytes; returns how many were read (fewer only at the end of the file
    // or on a read error, which Failed() then tells).
    size_t Read(void* buffer, size_t n);
    // Moves the position; it may lie past the end, where reads return nothing.
    void Seek(uint64_t position) { position_ = position; }
    void Skip(uint64_t n) { position_ += n; }
    bool Failed() const { return failed_; }

private:
    int fd_ = -1;
    uint64_t size_ = 0;
    uint64_t position_ = 0;
    bool failed_ = false;
};
