#pragma once
// Where the package's resource files come from, and where a stylesheet's references lead in
// the package. Most resources are source folder + their entry (found without regard to
// letter case); files from outside the source folder and the replacement stylesheet are
// copied in under names of their own (Book::packageNames).

#include <optional>
#include <string>
#include <string_view>

#include "project/book.h"

namespace quillery {

// The file a package entry is made from: the recorded copy source, else the file source
// folder + entry found case-blind; empty when there is none (and for the generated book
// stylesheet, which has no source).
std::string ResourceSourceFile(const Book& book, const std::string& entry);

// The local path a reference names, "#fragment" and "?query" split off and every %XX decoded;
// nothing for a web address or other URI with a scheme, a bare fragment or an empty reference.
std::optional<std::string> LocalReferencePath(std::string_view url);

// The full normalised path a decoded local reference of the file `fromSource` names.
std::string ReferencedPath(const std::string& fromSource, const std::string& localPath);

// True when the full normalised path lies inside the folder (which ends with "/").
bool LiesInside(const std::string& path, const std::string& folder);

// Where a url written in the stylesheet `entry` leads in the package: the entry of the file
// it names (moved when it was copied in or converted), or an empty text when it names a file
// that was left out (outside the source folder and not copied, or an absolute path). Nothing when
// the url names no local file.
std::optional<std::string> StylesheetReferenceEntry(const Book& book, const std::string& entry,
                                                    std::string_view url);

// The URI reference from the package file fromEntry to the package file toEntry (relative,
// percent-encoded), with the "#fragment" of originalUrl kept.
std::string PackageUrl(const std::string& fromEntry, const std::string& toEntry,
                       std::string_view originalUrl);

// The stylesheet text with every reference that would not lead to its file from the package
// copy rewritten: references of a stylesheet copied from outside the source folder, and
// references leaving the source folder (to the copy's name, or removed when left out).
std::string RelinkStylesheet(const Book& book, const std::string& entry, std::string_view css);

}  // namespace quillery
