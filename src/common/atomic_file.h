#pragma once
// Crash-safe file writes: the data goes to a temporary file in the target's folder, is
// flushed to disk and renamed over the target. The target is always either the old file
// or the new one; a failure leaves the old file whole.

#include <cstdint>
#include <span>
#include <string>

struct WriteResult {
    bool ok = true;
    std::string error; // the system's reason when !ok

    explicit operator bool() const { return ok; }
    static WriteResult Failure(std::string reason) { return {false, std::move(reason)}; }
};

WriteResult WriteFileAtomically(const std::string& path, std::span<const uint8_t> data);
WriteResult WriteFileAtomically(const std::string& path, const std::string& text);
