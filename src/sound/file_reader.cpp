#include "sound/file_reader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileReader::FileReader(const std::string& path)
{
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    size_ = uint64_t(st.st_size);
}

FileReader::~FileReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

size_t FileReader::Read(void* buffer, size_t n)
{
    if (fd_ < 0) {
        failed_ = true;
        return 0;
    }
    auto* out = static_cast<uint8_t*>(buffer);
    size_t done = 0;
    // pread takes a signed offset; a position beyond it is past every real file's end.
    while (done < n && position_ <= uint64_t(INT64_MAX)) {
        ssize_t r = ::pread(fd_, out + done, n - done, off_t(position_));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            failed_ = true;
            break;
        }
        if (r == 0)
            break;
        done += size_t(r);
        position_ += uint64_t(r);
    }
    return done;
}
