#pragma once
// File-system helpers. Folder paths end with "/".

#include <cstdint>
#include <string>
#include <string_view>

namespace quillery {

// Deletes everything inside folder (read-only files and whole sub-trees too) and leaves the
// folder itself. A symbolic link inside is removed as a link, never followed.
bool ClearFolder(std::string folder);
// Deletes everything inside folder, then the folder itself (a symbolic link: the link only).
// Both return true when nothing of what was to go is left; the root folder and an empty
// path are refused (false).
bool DeleteFolderTree(const std::string& folder);
// Size in bytes, 0 when there is no such file.
std::int64_t FileSizeOf(const std::string& fileName);
// "0 KB" for bytes <= 0, else (bytes div 1024) + 1 followed by " KB".
std::string FormatSizeKB(std::int64_t bytes);
// Name without the text from its last "."; a name without "." comes back unchanged.
std::string StripExtension(std::string_view name);
// The file-name part of a path (after the last "/"), without its extension.
std::string FileBaseName(std::string_view path);

bool FileExists(const std::string& path);  // a regular file (or a link to one)
bool FolderExists(const std::string& path);

}  // namespace quillery
