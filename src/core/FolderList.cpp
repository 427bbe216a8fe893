#include "core/FolderList.h"

#include "core/FileTypes.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

} // namespace

std::vector<std::string> BuildFolderList(const std::string& path) {
    std::vector<std::string> list;
    const std::string::size_type slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? "/" : folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            continue;
        const std::string name = it->path().filename().string();
        if (IsSupportedExtension(name))
            list.push_back(folder + "/" + name);
    }
    return list;
}

int FolderIndexOf(const std::vector<std::string>& list, const std::string& path) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (SameTextIgnoringCase(list[i], path))
            return static_cast<int>(i);
    return -1;
}

int NextFolderIndex(int index, int count) {
    if (count <= 0)
        return -1;
    return index + 1 >= count ? 0 : index + 1;
}

int PreviousFolderIndex(int index, int count) {
    if (count <= 0)
        return -1;
    return index - 1 < 0 ? count - 1 : index - 1;
}
