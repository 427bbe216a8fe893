#include "core/ExifData.h"

// Exiv2 0.27 still hands out std::auto_ptr.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <exiv2/exiv2.hpp>

struct TExifData::TBlocks {
    Exiv2::ExifData Exif;
    Exiv2::IptcData Iptc;
};

namespace {

const char* const WidthKeys[] = {"Exif.Photo.PixelXDimension", "Exif.Image.ImageWidth"};
const char* const HeightKeys[] = {"Exif.Photo.PixelYDimension", "Exif.Image.ImageLength"};

int ReadDimension(const Exiv2::ExifData& exif, const char* const* keys) {
    for (int i = 0; i < 2; ++i) {
        auto it = exif.findKey(Exiv2::ExifKey(keys[i]));
        if (it != exif.end() && it->count() > 0)
            return static_cast<int>(it->toLong());
    }
    return 0;
}

template <class Data> std::vector<std::pair<std::string, std::string>> Entries(const Data& data) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const auto& datum : data)
        entries.emplace_back(datum.key(), datum.toString());
    return entries;
}

} // namespace

TExifData::TExifData() : blocks_(std::make_unique<TBlocks>()) {}
TExifData::~TExifData() = default;

void TExifData::Clear() {
    blocks_->Exif.clear();
    blocks_->Iptc.clear();
}

bool TExifData::Empty() const {
    return blocks_->Exif.empty() && blocks_->Iptc.empty();
}

bool TExifData::ReadFromFile(const std::string& path) {
    Clear();
    try {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        auto image = Exiv2::ImageFactory::open(path);
        image->readMetadata();
        blocks_->Exif = image->exifData();
        blocks_->Iptc = image->iptcData();
        fileName_ = path;
        return !Empty();
    } catch (const std::exception&) {
        Clear();
        return false;
    }
}

int TExifData::PixelWidth() const {
    return ReadDimension(blocks_->Exif, WidthKeys);
}
int TExifData::PixelHeight() const {
    return ReadDimension(blocks_->Exif, HeightKeys);
}

void TExifData::SetPixelSize(int width, int height) {
    // Only the keys the block already carries are adjusted, plus the usual EXIF pair.
    blocks_->Exif["Exif.Photo.PixelXDimension"] = static_cast<uint32_t>(width);
    blocks_->Exif["Exif.Photo.PixelYDimension"] = static_cast<uint32_t>(height);
    for (const char* key : {WidthKeys[1]}) {
        auto it = blocks_->Exif.findKey(Exiv2::ExifKey(key));
        if (it != blocks_->Exif.end())
            *it = static_cast<uint32_t>(width);
    }
    for (const char* key : {HeightKeys[1]}) {
        auto it = blocks_->Exif.findKey(Exiv2::ExifKey(key));
        if (it != blocks_->Exif.end())
            *it = static_cast<uint32_t>(height);
    }
}

bool TExifData::WriteToFile(const std::string& path) const {
    try {
        auto image = Exiv2::ImageFactory::open(path);
        image->readMetadata();
        image->setExifData(blocks_->Exif);
        image->setIptcData(blocks_->Iptc);
        image->writeMetadata();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::vector<std::pair<std::string, std::string>> TExifData::ExifEntries() const {
    return Entries(blocks_->Exif);
}

std::vector<std::pair<std::string, std::string>> TExifData::IptcEntries() const {
    return Entries(blocks_->Iptc);
}

#pragma GCC diagnostic pop
