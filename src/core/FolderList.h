#pragma once
// The images of the current file's folder, in the order the file system lists them, and the
// stepping through them with Next and Previous.

#include <string>
#include <vector>

// Full paths of the supported images in the folder of path (folder + "/" + name).
std::vector<std::string> BuildFolderList(const std::string& path);
// Position of path in the list, comparing case-insensitively; -1 when absent.
int FolderIndexOf(const std::vector<std::string>& list, const std::string& path);
// Next and previous positions, wrapping round; from -1 Next gives 0 and Previous the last.
int NextFolderIndex(int index, int count);
int PreviousFolderIndex(int index, int count);
