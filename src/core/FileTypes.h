#pragma once
// The file-type tables: dialog filters, the save format chosen by extension, and the extensions
// the folder browser accepts.

#include <string>
#include <vector>

// Filter strings are "Description|patterns|" pairs, each followed by "|".
std::string OpenFilter();
// kindCode: -1 for Grey16 and GreyFloat, BitsPerPixel otherwise. Unknown codes give "".
std::string SaveFilter(int kindCode);
// FreeImage format for the path's extension (compared upper-cased); FIF_UNKNOWN (-1) if none.
int SaveFormatForExtension(const std::string& path);
// The 28 upper-case extensions (with the dot) of supported images, in table order.
const std::vector<std::string>& SupportedExtensions();
bool IsSupportedExtension(const std::string& path);

// Upper-cased extension of a path including the dot ("" when there is none).
std::string UpperExtension(const std::string& path);

class TFImage;
int SaveKindCode(const TFImage& image);
