#include "document/file_bytes.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileBytes ReadWholeFile(const std::string& path)
{
    FileBytes out;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        out.status = errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
        out.error = std::strerror(errno);
        return out;
    }
    // A file larger than memory allows is a read failure like any other.
    try {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
            out.data.reserve(size_t(st.st_size));
        uint8_t buf[1 << 16];
        for (;;) {
            ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                out.error = std::strerror(errno);
                ::close(fd);
                out.data.clear();
                return out;
            }
            if (n == 0)
                break;
            out.data.insert(out.data.end(), buf, buf + n);
        }
    } catch (const std::bad_alloc&) {
        ::close(fd);
        out.data = {};
        out.error = std::strerror(ENOMEM);
        return out;
    }
    ::close(fd);
    out.status = ReadStatus::Ok;
    return out;
}
