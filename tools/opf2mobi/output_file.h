#pragma once
// The book file written as a whole or not at all: a temporary file in the output folder,
// renamed over the book at the end, and removed if the run is interrupted meanwhile.

#include <string>
#include <string_view>
#include <vector>

namespace quillery::opf2mobi {

// The exit status of a run ended by an interruption (or the file size limit) while the book
// was being written.
inline constexpr int kExitInterrupted = 2;

// The longest file name the file systems take, in bytes.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// Writes the `pieces`, one after the other, to `folder` + `name` through a temporary file in
// the same folder renamed at the end; false with `error` set (and no file left) when it fails.
bool WriteFileAtomically(const std::string& folder, const std::string& name,
                         const std::vector<std::string_view>& pieces, std::string& error);

}  // namespace quillery::opf2mobi
