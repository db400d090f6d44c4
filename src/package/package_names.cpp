// Free names for the files a make adds to the package (see package_names.h).

#include "package/package_names.h"

#include <filesystem>
#include <set>

#include "project/command_runner.h"
#include "text/case_blind_path.h"
#include "text/paths.h"

namespace fs = std::filesystem;

namespace quillery {

namespace {

// "toc.htm" -> "toc-2.htm"; "README" -> "README-2".
std::string Numbered(const std::string& name, int number) {
    const std::size_t dot = name.rfind('.');
    std::string suffix = "-";
    suffix += std::to_string(number);
    if (dot == std::string::npos || dot == 0) return name + suffix;
    return name.substr(0, dot) + suffix + name.substr(dot);
}

class NameChooser {
public:
    explicit NameChooser(const Book& book) : book_(book) {
        for (const Chapter& chapter : book.chapters) taken_.insert(chapter.file);
        for (const std::string& entry : ListFolderEntries(book.sourceFolder)) taken_.insert(entry);
    }

    // A free name for a generated file, taken from now on.
    std::string ForGenerated(const std::string& name) { return Take(name, ""); }

    // A name no other file may take.
    void Reserve(const std::string& name) { chosen_.insert(name); }

    // A free name for a copy of `source`; its own name when the entry of the source folder
    // with that name is the very same file.
    std::string ForCopyOf(const std::string& source) {
        return source.empty() ? std::string() : Take(FileNamePart(source), source);
    }

private:
    std::string Take(const std::string& name, const std::string& source) {
        std::string chosen = name;
        for (int number = 2; Holds(chosen, source); ++number) chosen = Numbered(name, number);
        taken_.insert(chosen);
        chosen_.insert(chosen);
        return chosen;
    }

    bool Holds(const std::string& name, const std::string& source) const {
        if (chosen_.count(name)) return true;
        if (!taken_.count(name)) return false;
        std::error_code ec;
        return source.empty() || !fs::equivalent(book_.sourceFolder + name, source, ec);
    }

    const Book& book_;
    std::set<std::string> taken_;
    std::set<std::string> chosen_;
};

}  // namespace

void ChoosePackageNames(Book& book) {
    NameChooser names(book);
    book.packageNames = PackageNames{};
    PackageNames& p = book.packageNames;
    p.coverPage = names.ForGenerated("coverpage.htm");
    p.titlePage = names.ForGenerated("titlepage.htm");
    p.tocPage = names.ForGenerated("toc.htm");
    p.coverPicture = names.ForCopyOf(book.coverPath);
    p.replacementStylesheet = names.ForCopyOf(book.replacementStylesheet);
    // Never a name the source folder holds in any letter case: that file would be read.
    do {
        p.bookStylesheet = names.ForGenerated("style.css");
    } while (!ExistingFileCaseBlind(book.sourceFolder, p.bookStylesheet).empty());
}

std::string ChooseCopyName(Book& book, const std::string& source, const std::string& name) {
    NameChooser names(book);
    const PackageNames& p = book.packageNames;
    for (const std::string& name :
         {p.coverPage, p.titlePage, p.tocPage, p.bookStylesheet, CoverPictureName(book),
          ReplacementStylesheetName(book), std::string("content.opf"), std::string("toc.ncx")})
        names.Reserve(name);
    for (const auto& [entry, from] : p.copiedFrom) names.Reserve(entry);
    const std::string chosen = names.ForGenerated(name.empty() ? FileNamePart(source) : name);
    book.packageNames.copiedFrom[chosen] = source;
    return chosen;
}

std::string CoverPictureName(const Book& book) {
    const std::string& chosen = book.packageNames.coverPicture;
    return chosen.empty() ? FileNamePart(book.coverPath) : chosen;
}

std::string ReplacementStylesheetName(const Book& book) {
    const std::string& chosen = book.packageNames.replacementStylesheet;
    return chosen.empty() ? FileNamePart(book.replacementStylesheet) : chosen;
}

}  // namespace quillery
