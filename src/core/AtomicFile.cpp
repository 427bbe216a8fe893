#include "core/AtomicFile.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

TAtomicFile::TAtomicFile(std::string target) : target_(std::move(target)) {
    const auto slash = target_.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : target_.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target_ : target_.substr(slash + 1);
    std::string pattern = folder + "." + name + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = mkstemp(buffer.data());
    if (fd < 0)
        return;
    close(fd);
    temp_.assign(buffer.data());
}

TAtomicFile::~TAtomicFile() {
    if (!temp_.empty() && !committed_)
        unlink(temp_.c_str());
}

bool TAtomicFile::Commit() {
    if (temp_.empty())
        return false;
    const mode_t mask = umask(0);
    umask(mask);
    struct stat existing {};
    const mode_t mode =
        stat(target_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : (0666 & ~mask);
    chmod(temp_.c_str(), mode);
    if (std::rename(temp_.c_str(), target_.c_str()) != 0)
        return false;
    committed_ = true;
    return true;
}
