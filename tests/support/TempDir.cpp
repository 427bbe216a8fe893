#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

TTempDir::TTempDir() {
    std::string pattern = "/tmp/zelvane-test-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data()))
        throw std::runtime_error("cannot create a temporary folder");
    dir_ = buf.data();
}

TTempDir::~TTempDir() {
    std::error_code ec; // a leftover folder in /tmp must not fail the test
    std::filesystem::remove_all(dir_, ec);
}

std::string TTempDir::Path(const std::string& name) const {
    return dir_ + "/" + name;
}
