#pragma once
// Crash-safe file writes: the data goes to a temporary file in the target's folder, is
// flushed to disk and renamed over the target, and the folder is flushed. The target is
// always either the old file or the new one; a failure leaves the old file whole.
//
// A path that is a symbolic link is followed, link by link, to the file it names: that file
// gets the data and the link stays (a dangling link creates its target). A failure at a
// place other than the path given names that place in the error.
//
// The temporary file is named after the target with ".~" and six characters appended, and
// is locked for as long as the save runs. One left behind by a save that was killed holds no
// lock; the next save of the same file removes it, and never one that a running save holds.

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
