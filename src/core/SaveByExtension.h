#pragma once
// The Save flow's choice of writer by the target's extension, shared by the main window and
// zelvane-cli.

#include <string>

class TFImage;

enum class TSaveWriter { Jpeg, Tiff, Fits, FreeImage };

TSaveWriter SaveWriterForPath(const std::string& path);

// Saves with SaveAsJpeg (quality), SaveAsTiff (compression index), SaveAsFits or SaveToFile.
int SaveImageByExtension(TFImage& image, const std::string& path, int jpegQuality = 90,
                         int tiffCompression = 0);
