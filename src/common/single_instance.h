#pragma once
// One running program per user: an exclusive lock on a file named
// "Lumenrill_is_running" in the user's runtime folder.

#include <string>

class SingleInstanceLock {
public:
    // dir: the folder of the lock file; empty means $XDG_RUNTIME_DIR, or a private
    // per-user folder under /tmp when that is unset.
    explicit SingleInstanceLock(std::string dir = {});
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when this process now holds the lock; false when another one does.
    // Never waits.
    bool Acquire();
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
};
