#include "common/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The kernel's own limit on links followed in one path.
constexpr int MaxLinks = 40;
constexpr std::string_view TempMark = ".~";
constexpr size_t TempRandomChars = 6; // mkostemp's XXXXXX

std::string Reason(int err) { return std::strerror(err); }

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

struct Target {
    std::string path;
    int error = 0;
};

// The file that path names once every symbolic link at its end is followed; a path that
// names nothing (yet) is its own target.
Target FollowLinks(std::string path)
{
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return {path, 0};
        if (links == MaxLinks)
            return {path, ELOOP};
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf);
        if (n < 0)
            return {path, errno};
        if (size_t(n) == sizeof buf)
            return {path, ENAMETOOLONG};
        std::string next(buf, size_t(n));
        path = next.starts_with('/') ? next : FolderOf(path) + "/" + next;
    }
}

bool IsTemporaryOf(std::string_view name, std::string_view prefix)
{
    if (name.size() != prefix.size() + TempRandomChars || !name.starts_with(prefix))
        return false;
    for (char c : name.substr(prefix.size()))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    return true;
}

// Takes the lock on fd, waiting for it; false when the file is no longer at name (a save
// that cleaned the folder took it away before the lock was ours). Where the file system
// has no locks, nobody else can lock the file either, so it is never taken away.
bool LockStillNamed(int dirFd, const char* name, int fd)
{
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    struct stat held {}, named {};
    return ::fstat(fd, &held) == 0 && ::fstatat(dirFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(held, named);
}

// Removes the temporary files of earlier saves of path that nobody holds: saves killed
// midway. The lock is taken before the name is checked and removed, so a save that is
// just starting either holds its lock first or sees its name gone and starts again.
void RemoveStaleTemporaries(int dirFd, const std::string& name)
{
    const int listFd = ::dup(dirFd);
    if (listFd < 0)
        return;
    DIR* dir = ::fdopendir(listFd);
    if (!dir) {
        ::close(listFd);
        return;
    }
    const std::string prefix = name + std::string(TempMark);
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryOf(entry->d_name, prefix))
            continue;
        const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat held {}, named {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
            ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(held, named))
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

bool WriteAll(int fd, const uint8_t* p, size_t n)
{
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += w;
        n -= size_t(w);
    }
    return true;
}

// The save itself, in the target's folder (dirFd).
int WriteInFolder(int dirFd, const std::string& path, std::span<const uint8_t> data)
{
    const std::string name = NameOf(path);
    RemoveStaleTemporaries(dirFd, name);

    std::string temp;
    int fd = -1;
    // Only a cleaner that took the name before the lock makes a second round necessary.
    for (int round = 0; round < 16 && fd < 0; ++round) {
        temp = path + std::string(TempMark) + std::string(TempRandomChars, 'X');
        fd = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0)
            return errno;
        if (!LockStillNamed(dirFd, NameOf(temp).c_str(), fd)) {
            ::close(fd);
            fd = -1;
        }
    }
    if (fd < 0)
        return EAGAIN;

    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat old {};
    mode_t mode;
    if (::fstatat(dirFd, name.c_str(), &old, 0) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);

    // The lock on fd lasts until the rename is done and on disk.
    int err = 0;
    if (!WriteAll(fd, data.data(), data.size()) || ::fsync(fd) != 0 ||
        ::renameat(dirFd, NameOf(temp).c_str(), dirFd, name.c_str()) != 0) {
        err = errno;
        ::unlinkat(dirFd, NameOf(temp).c_str(), 0);
    } else {
        ::fsync(dirFd);
    }
    ::close(fd);
    return err;
}

} // namespace

WriteResult WriteFileAtomically(const std::string& path, std::span<const uint8_t> data)
{
    if (path.empty())
        return WriteResult::Failure(Reason(ENOENT));
    const Target target = FollowLinks(path);
    if (target.error != 0)
        return WriteResult::Failure(Reason(target.error));
    auto failure = [&](int err) {
        return WriteResult::Failure(target.path == path ? Reason(err) : target.path + ": " + Reason(err));
    };

    const std::string folder = FolderOf(target.path);
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder that may be written but not listed: saved without cleaning or flushing it.
    if (dirFd < 0 && errno == EACCES)
        dirFd = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return failure(errno);
    const int err = WriteInFolder(dirFd, target.path, data);
    ::close(dirFd);
    return err == 0 ? WriteResult{} : failure(err);
}

WriteResult WriteFileAtomically(const std::string& path, const std::string& text)
{
    return WriteFileAtomically(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}
