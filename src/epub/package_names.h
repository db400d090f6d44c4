#pragma once
// The names files get inside the ePub and the URLs that lead to them. Names that reading
// systems or the container format handle badly (blanks, reserved characters) are replaced
// by safe ones, and every relative URL of the book is rewritten to follow its target.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "text/percent_decoding.h"

namespace quillery::epub {

// A file name safe in an ePub container: blanks and reserved characters as "_".
std::string SafePackageName(std::string_view path);

// The package's files: their paths in the OPS folder ("/" separated) and in the ePub, where
// web pages (.htm, .html) get the ".xhtml" extension.
class PackageNames {
public:
    // Every file, relative to the OPS folder. Safe names are made unique.
    explicit PackageNames(const std::vector<std::string>& files);

    // The name in the ePub of a file of the OPS folder, or nullptr when there is no such file.
    const std::string* Renamed(const std::string& opsPath) const;

    // The URL of a document at opsDocument (an OPS path) rewritten for the ePub: a relative
    // URL to a known file follows its new name; URLs with a scheme and bare fragments stay.
    // When the target is a file of the package, its OPS path is added to referenced; a
    // relative URL to a file the package does not hold gives an empty text and, when missing
    // is given, adds its decoded path to missing.
    std::string RewriteUrl(std::string_view url, const std::string& opsDocument,
                           std::vector<std::string>* referenced = nullptr,
                           std::vector<std::string>* missing = nullptr) const;

private:
    std::map<std::string, std::string> renamed_;
};

// The media type of a package file, from its first bytes for pictures and fonts and its
// extension otherwise; empty for a type an ePub does not know.
std::string MediaTypeOf(const std::string& path, std::string_view firstBytes);

}  // namespace quillery::epub
