#pragma once
// A Book whose work folders lie in a fresh temporary folder: lib/ and ext/ hold the test's own
// templates (or the installed ones are used), src/ is the source folder, temp/OPS/ the OPS
// folder. Whole generated documents are compared with golden files in golden/; running the
// tests with QUILLERY_UPDATE_GOLDEN=1 rewrites those files from what the writers produce.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "project/book.h"
#include "temp_dir.h"
#include "text/text_file.h"

namespace quillery::testing {

inline ::testing::AssertionResult Has(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << '"' << part << "\" is not in \"" << text << '"';
}

// Compares a generated document with the golden file `name`, byte for byte.
inline ::testing::AssertionResult MatchesGolden(const std::string& actual, const std::string& name) {
    const std::string path = std::string(QUILLERY_PACKAGE_GOLDEN_DIR) + "/" + name;
    if (std::getenv("QUILLERY_UPDATE_GOLDEN")) WriteTextFile(path, actual);
    const std::string expected = ReadTextFile(path);
    if (!expected.empty() && actual == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << name << " differs from what was written:\n" << actual;
}

class PackageTest : public ::testing::Test {
protected:
    PackageTest() {
        WorkFolders& f = book.folders;
        f.tempFolder = dir.path() + "temp/";
        f.opsFolder = f.tempFolder + "OPS/";
        f.libFolder = dir.path() + "lib/";
        f.extFolder = dir.path() + "ext/";
        book.sourceFolder = dir.path() + "src/";
        std::filesystem::create_directories(f.opsFolder);
        // title, creator, date, subject, publisher, uid, lang, description
        book.metadata = {"My Book", "Anonymous Author", {}, {}, "Unknown publisher", "None", "en",
                         {}};
    }
    // The templates the program installs, lib/ and ext/ of the program folder.
    void UseInstalledTemplates() {
        book.folders.libFolder = ProgramFolder() + "lib/";
        book.folders.extFolder = ProgramFolder() + "ext/";
    }
    // The text of a file in the OPS folder ("" when missing).
    std::string Ops(const std::string& r) const { return ReadTextFile(book.folders.opsFolder + r); }
    bool OpsHas(const std::string& rel) const {
        return std::filesystem::is_regular_file(book.folders.opsFolder + rel);
    }
    // Chapters a.htm, b.htm, ... titled "Title A", "Title B", ...
    void AddChapters(int count) {
        for (int i = 0; i < count; ++i) {
            Chapter chapter;
            chapter.file = std::string(1, char('a' + i)) + ".htm";
            chapter.title = std::string("Title ") + char('A' + i);
            book.chapters.push_back(std::move(chapter));
        }
    }

    TempDir dir;
    Book book;
};

}  // namespace quillery::testing
