#pragma once
// A fresh folder under /tmp for one test, removed with everything in it afterwards.

#include <string>

class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    // The folder ending in "/" for an empty name, else the path of name inside it.
    std::string Path(const std::string& name = "") const;

private:
    std::string dir_; // without trailing separator
};
