#include "core/FileTypes.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

TEST(FileTypes, SaveFilterPerKindCode) {
    EXPECT_EQ(SaveFilter(1), "");
    EXPECT_EQ(SaveFilter(16), "");
    EXPECT_EQ(SaveFilter(-1), "FITS Files (*.fit, *.fits, *.fts)|*.fit;*.fits;*.fts|"
                              "TIFF Files (*.tif, *.tiff)|*.tif;*.tiff|All Files (*.*)|*.*|");
    EXPECT_EQ(SaveFilter(48), "TIFF Files (*.tif, *.tiff)|*.tif;*.tiff|All Files (*.*)|*.*|");
    EXPECT_EQ(SaveFilter(32), "PNG Files (*.png)|*.png|TIFF Files (*.tif, *.tiff)|*.tif;*.tiff|"
                              "All Files (*.*)|*.*|");
    const std::string open = OpenFilter();
    EXPECT_EQ(open.rfind("All Supported Images|*.bmp;*.dib;", 0), 0u);
    EXPECT_EQ(std::count(open.begin(), open.end(), '|'), 44);
}

TEST(FileTypes, SaveFormatByUpperCasedExtension) {
    const std::pair<const char*, int> table[] = {
        {"a.Tif", FIF_TIFF},
        {"b.jpe", FIF_JPEG},
        {"dir.v2/c.targa", FIF_TARGA},
        {"d.DIB", FIF_BMP},
        {"e.pgm", FIF_UNKNOWN},
        {"f.hdr", FIF_UNKNOWN},
        {"noext", FIF_UNKNOWN},
        {"dir.jpg/noext", FIF_UNKNOWN},
        {"g.xpm", FIF_XPM},
    };
    for (auto [path, format] : table)
        EXPECT_EQ(SaveFormatForExtension(path), format) << path;
}

TEST(FileTypes, SupportedExtensions) {
    EXPECT_EQ(SupportedExtensions().size(), 28u);
    EXPECT_TRUE(IsSupportedExtension("/data/M31.Fits"));
    EXPECT_TRUE(IsSupportedExtension("x.jpe"));
    EXPECT_FALSE(IsSupportedExtension("x.txt"));
    EXPECT_FALSE(IsSupportedExtension("x.mng"));
}
