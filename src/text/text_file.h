#pragma once
// Whole-file helpers: chapter files are read and written whole, byte for byte.

#include <string>
#include <string_view>

namespace quillery {

// The whole file; empty, without any message, when the file is missing, empty or unreadable.
std::string ReadTextFile(const std::string& fileName);

// At most the first maxBytes bytes of a file (fewer when it is shorter; "" when it cannot be
// read): enough to tell a file's kind from its signature without reading it whole.
std::string ReadFileHead(const std::string& fileName, std::size_t maxBytes);
// Creates or truncates the file and writes exactly the bytes of text. Throws
// std::system_error (message naming the file) when the file cannot be written.
void WriteTextFile(const std::string& fileName, std::string_view text);
// As WriteTextFile, but through a temporary file in the same folder renamed over the
// target, so that a crash or a full disk never leaves a truncated file behind.
void WriteTextFileAtomic(const std::string& fileName, std::string_view text);
// Copies a file the same way: the target is the old file or the whole copy, never a part.
// Throws std::system_error naming the file and the cause ("No space left on device").
void CopyFileAtomic(const std::string& source, const std::string& target);

// Removes the temporary file of an atomic write that has not finished. Safe to call from a
// signal handler: a program ended by a signal leaves no half-written file behind.
void RemoveUnfinishedTemporaryFile() noexcept;

}  // namespace quillery
