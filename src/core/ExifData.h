#pragma once
// EXIF and IPTC blocks of a JPEG file, read by path and written back into a saved JPEG.

#include <memory>
#include <string>
#include <utility>
#include <vector>

class TExifData {
public:
    TExifData();
    ~TExifData();

    // Reads both blocks of the file; false (and empty) when the file has none or is unreadable.
    bool ReadFromFile(const std::string& path);
    void Clear();
    bool Empty() const;
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& path) { fileName_ = path; }

    // Pixel size recorded in the EXIF block (0 when absent).
    int PixelWidth() const;
    int PixelHeight() const;
    void SetPixelSize(int width, int height);

    // Writes the blocks into the JPEG file at path (its pixels untouched); false on failure.
    bool WriteToFile(const std::string& path) const;

    // Tag key and interpreted value of every EXIF entry, in file order.
    std::vector<std::pair<std::string, std::string>> ExifEntries() const;
    std::vector<std::pair<std::string, std::string>> IptcEntries() const;

    struct TBlocks;

private:
    std::unique_ptr<TBlocks> blocks_;
    std::string fileName_;
};
