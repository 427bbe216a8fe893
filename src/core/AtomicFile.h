#pragma once
// Saving never loses the old file: write to a temporary file in the target's folder, then rename
// it over the target. An uncommitted temporary file is removed.

#include <string>

class TAtomicFile {
public:
    explicit TAtomicFile(std::string target);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    // False when no temporary file could be made in the target's folder.
    bool Ok() const { return !temp_.empty(); }
    const std::string& TempPath() const { return temp_; }
    const std::string& Target() const { return target_; }
    // Gives the file the usual permissions and renames it over the target; false on failure.
    bool Commit();

private:
    std::string target_;
    std::string temp_;
    bool committed_ = false;
};
