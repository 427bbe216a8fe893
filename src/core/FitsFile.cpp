#include "core/FitsFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TFitsFile::~TFitsFile() {
    Close();
}

bool TFitsFile::OpenRead(const std::string& path) {
    Close();
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return fd_ >= 0;
}

bool TFitsFile::OpenWrite(const std::string& path) {
    Close();
    fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return fd_ >= 0;
}

bool TFitsFile::Close() {
    if (fd_ < 0)
        return true;
    const bool ok = close(fd_) == 0;
    fd_ = -1;
    return ok;
}

std::int64_t TFitsFile::Size() const {
    struct stat st {};
    if (fd_ < 0 || fstat(fd_, &st) != 0)
        return -1;
    return st.st_size;
}

std::int64_t TFitsFile::ReadAt(void* buffer, std::size_t bytes, std::int64_t offset) const {
    auto* p = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t n = pread(fd_, p + done, bytes - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

bool TFitsFile::WriteAll(const void* buffer, std::size_t bytes) {
    const auto* p = static_cast<const char*>(buffer);
    while (bytes > 0) {
        const ssize_t n = write(fd_, p, bytes);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        bytes -= static_cast<std::size_t>(n);
    }
    return true;
}
