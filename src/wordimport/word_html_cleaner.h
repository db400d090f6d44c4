#pragma once
// The Word HTML cleaner: reduces HTML saved by Word (Office namespaces, conditional comments,
// mso- properties, font and page definitions, inline styles everywhere) to plain HTML whose
// formatting lives in one style block, ready for the stylesheet extraction and the split.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillery {

class ImportProgress;

// A Word generator mark whose version does not read as an integer: the conversion ends.
class WordHtmlVersionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The generator version of the head's Word meta element ("15" for "Microsoft Word 15
// (filtered)"); nothing when the head has none. Throws WordHtmlVersionError when the
// version is not an integer.
std::optional<int> WordGeneratorVersion(std::string_view html);

// The cleaning sequence. Empty when the text is not recognised as Word HTML. progress, when
// given, receives the "Optimizing" status messages.
std::string CleanWordHtml(std::string_view html, ImportProgress* progress = nullptr);

// Optimise file: "Optimizing", the file read, cleaned and written back, an empty status. A
// file that is not recognised as Word HTML keeps its content. Throws std::system_error when
// the file cannot be written, WordHtmlVersionError as CleanWordHtml.
void OptimiseWordHtmlFile(const std::string& path, ImportProgress& progress);

}  // namespace quillery
