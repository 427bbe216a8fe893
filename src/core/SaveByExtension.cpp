#include "core/SaveByExtension.h"

#include "core/FileTypes.h"
#include "core/fimage.h"

TSaveWriter SaveWriterForPath(const std::string& path) {
    const std::string ext = UpperExtension(path);
    if (ext == ".JPG" || ext == ".JPEG")
        return TSaveWriter::Jpeg;
    if (ext == ".TIF" || ext == ".TIFF")
        return TSaveWriter::Tiff;
    if (ext == ".FTS" || ext == ".FITS" || ext == ".FIT")
        return TSaveWriter::Fits;
    return TSaveWriter::FreeImage;
}

int SaveImageByExtension(TFImage& image, const std::string& path, int jpegQuality,
                         int tiffCompression) {
    switch (SaveWriterForPath(path)) {
    case TSaveWriter::Jpeg:
        return image.SaveAsJpeg(path, jpegQuality);
    case TSaveWriter::Tiff:
        return image.SaveAsTiff(path, tiffCompression);
    case TSaveWriter::Fits:
        return image.SaveAsFits(path);
    case TSaveWriter::FreeImage:
        break;
    }
    return image.SaveToFile(path);
}
