#include "core/FileTypes.h"

#include "core/fimage.h"

#include <FreeImage.h>

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

struct TFileType {
    const char* Description;
    const char* Patterns;
    // Offered when saving kind code 8, 24, 32, 48, -1 (Grey16 and GreyFloat).
    bool Save[5];
};

const TFileType FileTypes[] = {
    {"All Supported Images",
     "*.bmp;*.dib;*.dds;*.fit;*.fits;*.fts;*.gif;*.hdr;*.ico;*.jng;*.jpg;*.jif;*.jpeg;*.jpe;*.pcd;"
     "*.pbm;*.pcx;*.pgm;*.ppm;*.ras;*.tga;*.targa;*.tif;*.tiff;*.wbmp;*.xbm;*.xpm",
     {false, false, false, false, false}},
    {"Bitmap Files (*.bmp, *.dib)", "*.bmp;*.dib", {true, true, false, false, false}},
    {"DirectDraw Surface Files (*.dds)", "*.dds", {false, false, false, false, false}},
    {"FITS Files (*.fit, *.fits, *.fts)", "*.fit;*.fits;*.fts", {false, false, false, false, true}},
    {"GIF Files (*.gif)", "*.gif", {true, false, false, false, false}},
    {"HDR Files (*.hdr)", "*.hdr", {false, false, false, false, false}},
    {"Icon Files  (*.ico)", "*.ico", {false, false, false, false, false}},
    {"JPEG Network Graphic Files (*.jng)", "*.jng", {false, false, false, false, false}},
    {"JPEG Files (*.jpg,*.jif,*.jpeg,*.jpe)",
     "*.jpg;*.jif;*.jpeg;*.jpe",
     {true, true, false, false, false}},
    {"KODAK PhotoCD Files (*.pcd)", "*.pcd", {false, false, false, false, false}},
    {"Portable Bitmap Files (*.pbm)", "*.pbm", {false, false, false, false, false}},
    {"PCX Files (*.pcx)", "*.pcx", {false, false, false, false, false}},
    {"PNG Files (*.png)", "*.png", {true, true, true, false, false}},
    {"Portable Graymap Files (*.pgm)", "*.pgm", {false, false, false, false, false}},
    {"Portable Pixelmap Files (*.ppm)", "*.ppm", {false, true, false, false, false}},
    {"Sun Raster Image Files (*.ras)", "*.ras", {false, false, false, false, false}},
    {"Truevision TARGA Files (*.tga, *.targa)", "*.tga;*.targa", {true, true, false, false, false}},
    {"TIFF Files (*.tif, *.tiff)", "*.tif;*.tiff", {true, true, true, true, true}},
    {"Wireless Bitmap Files (*.wbmp)", "*.wbmp", {false, false, false, false, false}},
    {"X11 Bitmap Format (*.xbm)", "*.xbm", {false, false, false, false, false}},
    {"X11 Pixmap Format (*.xpm)", "*.xpm", {true, true, false, false, false}},
    {"All Files (*.*)", "*.*", {true, true, true, true, true}},
};

const std::pair<const char*, int> SaveFormats[] = {
    {".BMP", FIF_BMP},   {".DIB", FIF_BMP},     {".DDS", FIF_DDS},  {".GIF", FIF_GIF},
    {".ICO", FIF_ICO},   {".JNG", FIF_JNG},     {".JPG", FIF_JPEG}, {".JIF", FIF_JPEG},
    {".JPEG", FIF_JPEG}, {".JPE", FIF_JPEG},    {".PCD", FIF_PCD},  {".PBM", FIF_PBM},
    {".PCX", FIF_PCX},   {".PNG", FIF_PNG},     {".PPM", FIF_PPM},  {".RAS", FIF_RAS},
    {".TGA", FIF_TARGA}, {".TARGA", FIF_TARGA}, {".TIF", FIF_TIFF}, {".TIFF", FIF_TIFF},
    {".WBMP", FIF_WBMP}, {".XBM", FIF_XBM},     {".XPM", FIF_XPM},
};

int ColumnForCode(int kindCode) {
    switch (kindCode) {
    case 8:
        return 0;
    case 24:
        return 1;
    case 32:
        return 2;
    case 48:
        return 3;
    case -1:
        return 4;
    default:
        return -1;
    }
}

std::string Pair(const TFileType& type) {
    return std::string(type.Description) + "|" + type.Patterns + "|";
}

} // namespace

std::string OpenFilter() {
    std::string filter;
    for (const auto& type : FileTypes)
        filter += Pair(type);
    return filter;
}

std::string SaveFilter(int kindCode) {
    const int column = ColumnForCode(kindCode);
    std::string filter;
    if (column < 0)
        return filter;
    for (const auto& type : FileTypes)
        if (type.Save[column])
            filter += Pair(type);
    return filter;
}

std::string UpperExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return "";
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return ext;
}

int SaveFormatForExtension(const std::string& path) {
    const std::string ext = UpperExtension(path);
    for (const auto& [extension, format] : SaveFormats)
        if (ext == extension)
            return format;
    return FIF_UNKNOWN;
}

const std::vector<std::string>& SupportedExtensions() {
    static const std::vector<std::string> extensions = {
        ".BMP", ".DIB", ".DDS",   ".FIT", ".FITS", ".FTS",  ".GIF", ".HDR", ".ICO", ".JNG",
        ".JPG", ".JIF", ".JPEG",  ".JPE", ".PBM",  ".PCD",  ".PCX", ".PGM", ".PNG", ".PPM",
        ".RAS", ".TGA", ".TARGA", ".TIF", ".TIFF", ".WBMP", ".XBM", ".XPM"};
    return extensions;
}

bool IsSupportedExtension(const std::string& path) {
    const auto& all = SupportedExtensions();
    return std::find(all.begin(), all.end(), UpperExtension(path)) != all.end();
}

int SaveKindCode(const TFImage& image) {
    return image.IsHighPrecisionGrey ? -1 : image.BitsPerPixel;
}
