#include "app/ActionTable.h"

#include <algorithm>
#include <cstring>

namespace {

// clang-format off
const std::vector<TActionSpec> Actions = {
 // name                         caption                              hint                                                                                   cat shortcut  menu              sep  tb  built  theme icon                 glyph
 {"acnFileOpen",                 "&Open...",                          "Open|Open a file",                                                                    5, "Ctrl+O", "File",            false, 1, true,  "document-open",           "@open"},
 {"acnFileSave",                 "&Save",                             "Save|Save this image",                                                                0, "Ctrl+S", "File",            false, 2, true,  "document-save",           "@save"},
 {"acnFileSaveAs",               "Save &As...",                       "Save As|Save this image with a different name",                                       0, "",       "File",            false, 0, true,  "document-save-as",        "A"},
 {"acnFileSelectSource",         "S&elect Source...",                 "Select Source|Select scanner or TWAIN source",                                        5, "",       "File/Acquire Image", false, 0, false, "scanner",             ""},
 {"acnFileAcquire",              "A&cquire...",                       "Acquire|Acquire an image from scanner or other TWAIN device",                         5, "",       "File/Acquire Image", false, 0, false, "scanner",             ""},
 {"acnFilePrint",                "&Print...",                         "Print|Print this image",                                                              4, "Ctrl+P", "File",            true,  3, false, "document-print",          "P"},
 {"acnFileProperties",           "Propert&ies...",                    "Properties|File properties",                                                          0, "",       "File",            false, 0, false, "document-properties",     ""},
 {"acnFileExit",                 "E&xit",                             "Exit|Exit this application",                                                          5, "",       "File",            true,  0, true,  "application-exit",        ""},
 {"acnEditUndo",                 "&Undo",                             "Undo|Undo the last action",                                                           9, "Ctrl+Z", "Edit",            false, 6, true,  "edit-undo",               "@undo"},
 {"acnEditCopy",                 "&Copy",                             "Copy|Copy to the clipboard",                                                          0, "Ctrl+C", "Edit",            true,  4, false, "edit-copy",               "C"},
 {"acnEditPaste",                "&Paste",                            "Paste|Paste from the clipboard",                                                      5, "Ctrl+V", "Edit",            false, 5, false, "edit-paste",              "V"},
 {"acnEditClearClipboard",       "C&lear Clipboard",                  "Clear Clipboard|Clear the contents of the clipboard",                                 0, "",       "Edit",            false, 0, false, "edit-clear",              ""},
 {"acnViewZoomIn",               "Zoom &In",                          "Zoom In|Zoom in",                                                                     0, "Num++",  "View",            false, 9, true,  "zoom-in",                 "@zoomin"},
 {"acnViewZoomOut",              "Zoom &Out",                         "Zoom Out|Zoom out",                                                                   0, "Num+-",  "View",            false, 10, true, "zoom-out",                "@zoomout"},
 {"acnViewZoomCustom",           "O&ther Zoom Level...",              "Other Zoom Level|Set a custom zoom level",                                            0, "",       "View",            false, 0, true,  "",                        ""},
 {"acnViewFitToWindow",          "&Fit to Window",                    "Fit to Window|Fit the image to the size of the window",                               0, "F7",     "View",            false, 0, true,  "zoom-fit-best",           ""},
 {"acnViewZoom1",                "1 : 16 (6.25%)",                    "",                                                                                    0, "",       "View",            true,  0, true,  "",                        ""},
 {"acnViewZoom2",                "1 : 8 (12.5%)",                     "",                                                                                    0, "",       "View",            false, 0, true,  "",                        ""},
 {"acnViewZoom3",                "1 : 4 (25%)",                       "",                                                                                    0, "",       "View",            false, 0, true,  "",                        ""},
 {"acnViewZoom4",                "1 : 2 (50%)",                       "",                                                                                    0, "",       "View",            false, 0, true,  "",                        ""},
 {"acnViewZoom5",                "1 : 1 (100%)",                      "",                                                                                    0, "",       "View",            false, 0, true,  "zoom-original",           ""},
 {"acnViewZoom6",                "2 : 1 (200%)",                      "",                                                                                    0, "",       "View",            false, 0, true,  "",                        ""},
 {"acnViewZoom7",                "4 : 1 (400%)",                      "",                                                                                    0, "",       "View",            false, 0, true,  "",                        ""},
 {"acnViewZoom8",                "8 : 1 (800%)",                      "",                                                                                    0, "",       "View",            false, 0, true,  "",                        ""},
 {"acnViewZoom9",                "16 : 1 (1600%)",                    "",                                                                                    0, "",       "View",            false, 0, true,  "",                        ""},
 {"acnViewEXIF",                 "&EXIF Information...",              "EXIF Information|View the EXIF information for this image",                           2, "",       "View/Metadata",   false, 0, false, "",                        ""},
 {"acnViewIPTC",                 "&IPTC Information...",              "IPTC Information|View IPTC  information about this image",                            2, "",       "View/Metadata",   false, 0, false, "",                        ""},
 {"acnViewFITSHeader",           "&FITS Header...",                   "FITS Header|View the FITS header for this image",                                     3, "",       "View/Metadata",   false, 0, false, "",                        ""},
 {"acnViewDisplayMode",          "&Display Mode...",                  "Display Mode|Change the display mode for grey scale images",                          0, "",       "View",            false, 0, true,  "",                        ""},
 {"acnImageNext",                "&Next",                             "Next|Show the next image",                                                            0, "F2",     "Image",           false, 8, true,  "go-next",                 "@next"},
 {"acnImagePrevious",            "&Previous",                         "Previous|Show the previous image",                                                    0, "F3",     "Image",           false, 7, true,  "go-previous",             "@prev"},
 {"acnImageStatistics",          "&Statistics...",                    "Statistics|Show statistics for this image",                                           4, "F5",     "Image",           true,  11, false, "",                       "\u03A3"},
 {"acnImageHistogram",           "&Histogram...",                     "Histogram|Show the histogram for this image",                                         4, "F6",     "Image",           false, 12, false, "",                       "H"},
 {"acnImageResize",              "Resize...",                         "Resize|Resize the image",                                                             0, "",       "Image",           true,  0, false, "",                        ""},
 {"acnImageFlipHorz",            "Flip Hori&zontal",                  "Flip Horizontal|Flip the image from left to right",                                   4, "",       "Image",           false, 0, false, "object-flip-horizontal",  ""},
 {"acnImageFlipVert",            "Flip &Vertical",                    "Flip Vertical|Flip the image from top to bottom",                                     4, "",       "Image",           false, 0, false, "object-flip-vertical",    ""},
 {"acnImageEditPal",             "Edit &Palette...",                  "Edit Palette|Edit the palette for this image",                                        1, "",       "Image",           true,  0, true,  "",                        ""},
 {"acnImagePhotometry",          "Ph&otometry...",                    "Photometry|Perform photometry on this image",                                         3, "",       "Image",           false, 0, false, "",                        ""},
 {"acnProcessBriCon",            "&Brightness and Contrast...",       "Brightness and Contrast|Adjust the brightness and contrast",                          4, "Ctrl+B", "Process",         false, 13, false, "",                       "B"},
 {"acnProcessGamma",             "&Gamma...",                         "Gamma|Adjust gamma",                                                                  4, "Ctrl+G", "Process",         false, 14, false, "",                        "\u03B3"},
 {"acnProcessLevels",            "Le&vels...",                        "Levels|Adjust image levels",                                                          4, "Ctrl+E", "Process",         false, 15, false, "",                       "L"},
 {"acnProcessCurves",            "Curve&s...",                        "Curves|Adjust image curves",                                                          4, "Ctrl+R", "Process",         false, 16, false, "",                       "\u222B"},
 {"acnProcessHSI",               "Hue, Sa&turation and Lightness...", "Hue, Saturation and Lightness|Adjust the hue, saturation and lightness",              2, "Ctrl+H", "Process",         false, 17, false, "",                       "\u25D0"},
 {"acnProcessMaxExt",            "Ma&ximum Entropy Deconvolution...", "Maximum Entropy Deconvolution|Run maximum entropy deconvolution",                      4, "Ctrl+M", "Process",         true,  19, false, "",                       "M"},
 {"acnProcessLucyRichardson",    "Lucy &Richardson Deconvolution...", "Lucy Richardson Deconvolution|Run Lucy Richardson deconvolution",                      4, "Ctrl+L", "Process",         false, 0, false, "",                        ""},
 {"acnProcessVanCittert",        "&Van Cittert Deconvolution...",     "Van Cittert Deconvolution|Run Van Cittert deconvolution ",                            4, "Ctrl+T", "Process",         false, 0, false, "",                        ""},
 {"acnProcessWavelet",           "&Wavelet Sharpen...",               "Wavelet Sharpen|Run wavelet sharpening",                                              4, "Ctrl+W", "Process",         true,  18, false, "",                       "W"},
 {"acnProcessConvolutionFilter", "&Convolution Filter...",            "Convolution Filter|Run a convolution filter",                                         4, "Ctrl+F", "Process",         false, 0, false, "",                        ""},
 {"acnProcessUnsharpMask",       "&Unsharp Mask...",                  "Unsharp Mask|Sharpen the image using an usharp mask",                                 4, "Ctrl+U", "Process",         false, 0, false, "",                        ""},
 {"acnProcessAlignStack",        "Align and Stack...",                "Align and Stack|Align and stack images into a single image",                          5, "Ctrl+A", "Process",         true,  0, false, "",                        ""},
 {"acnProcessRGBCombine",        "RGB Combine...",                    "RGB Combine|Combine gray images into a color image",                                  5, "Ctrl+I", "Process",         false, 0, false, "",                        ""},
 {"acnProcessLRGB",              "LRGB Combine...",                   "LRGB Combine|Combine red, green, blue and luminance images",                          5, "",       "Process",         false, 0, false, "",                        ""},
 {"acnHelpContents",             "&Contents...",                      "Help Contents|Show the help contents",                                                5, "F1",     "Help",            false, 0, true,  "help-contents",           ""},
 {"acnHelpWeb",                  "Zelvane Image on the &Web...",      "Zelvane Image Website|Open  the Zelvane Image website",                               5, "",       "Help",            false, 0, true,  "",                        ""},
 {"acnHelpAbout",                "&About...",                         "About Zelvane Image|Show the Zelvane Image about box",                                5, "",       "Help",            true,  0, true,  "help-about",              ""},
};
// clang-format on

const std::vector<TMenuSpec> Menus = {
    {"File", "&File"},
    {"File/Acquire Image", "Acquire &Image"},
    {"Edit", "&Edit"},
    {"View", "&View"},
    {"View/Metadata", "&Metadata"},
    {"Image", "&Image"},
    {"Process", "&Process"},
    {"Help", "&Help"},
};

} // namespace

const std::vector<TActionSpec>& ActionTable() {
    return Actions;
}

const TActionSpec* FindActionSpec(const char* name) {
    const auto it = std::find_if(Actions.begin(), Actions.end(), [&](const TActionSpec& a) {
        return std::strcmp(a.Name, name) == 0;
    });
    return it == Actions.end() ? nullptr : &*it;
}

const std::vector<TMenuSpec>& MenuTable() {
    return Menus;
}

std::vector<int> EnabledCategories(bool hasPixels, int bitsPerPixel, bool highPrecisionGrey) {
    std::vector<int> on = {CatAlways};
    if (!hasPixels)
        return on;
    on.push_back(CatAnyImage);
    if (highPrecisionGrey && (bitsPerPixel == 16 || bitsPerPixel == 32)) {
        on.push_back(CatGrey);
        on.push_back(CatProcessing);
    } else if (!highPrecisionGrey && (bitsPerPixel == 24 || bitsPerPixel == 48)) {
        on.push_back(CatColour);
        on.push_back(CatProcessing);
    } else if (!highPrecisionGrey && bitsPerPixel == 8) {
        on.push_back(CatIndexed8);
    }
    return on;
}
