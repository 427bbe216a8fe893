#pragma once
// A POSIX file descriptor that closes itself, with whole-buffer positioned reads and writes.

#include <cstddef>
#include <cstdint>
#include <string>

class TFitsFile {
public:
    TFitsFile() = default;
    ~TFitsFile();
    TFitsFile(const TFitsFile&) = delete;
    TFitsFile& operator=(const TFitsFile&) = delete;

    bool OpenRead(const std::string& path);
    bool OpenWrite(const std::string& path); // truncates
    bool Close();                            // false when the last writes did not land
    std::int64_t Size() const;               // -1 on failure

    // Reads up to bytes at offset, retrying short reads; the count read (less only at the end of
    // the file), or -1 on an error.
    std::int64_t ReadAt(void* buffer, std::size_t bytes, std::int64_t offset) const;
    bool WriteAll(const void* buffer, std::size_t bytes);

private:
    int fd_ = -1;
};
