#pragma once
// Path helpers: the folder and file-name parts of a "/"-separated path, and folder paths
// with their trailing "/". Pure text operations: nothing here touches the disk.

#include <string>
#include <string_view>

namespace quillery {

// The folder part of a path with its trailing "/": "a/b/c.htm" -> "a/b/"; "" when the path
// holds no "/".
std::string FolderOf(std::string_view path);

// The file-name part of a path, the text after its last "/": "a/b/c.htm" -> "c.htm".
std::string FileNamePart(std::string_view path);

// The folder with a trailing "/" (added when missing); the empty text stays empty.
std::string WithTrailingSlash(std::string_view folder);

}  // namespace quillery
