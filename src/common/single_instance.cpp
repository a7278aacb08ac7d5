#include "common/single_instance.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string DefaultFolder()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return runtime;
    std::string dir = "/tmp/lumenrill-" + std::to_string(::getuid());
    ::mkdir(dir.c_str(), 0700);
    return dir;
}

} // namespace

SingleInstanceLock::SingleInstanceLock(std::string dir)
    : path_((dir.empty() ? DefaultFolder() : dir) + "/Lumenrill_is_running")
{
}

SingleInstanceLock::~SingleInstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool SingleInstanceLock::Acquire()
{
    if (fd_ >= 0)
        return true;
    // O_CLOEXEC: programs started from here (a mixer, a browser) must not keep the lock.
    int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}
