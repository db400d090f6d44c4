#pragma once
// A Book whose work folders lie in a fresh temporary folder: lib/ and ext/ hold small test
// templates (or the installed ones), src/ is the source folder, temp/OPS/ the OPS folder.

#include <gtest/gtest.h>

#include <string>

#include "project/book.h"
#include "temp_dir.h"

namespace quillery::testing {

class PackageTest : public ::testing::Test {
protected:
    PackageTest();

    // Point lib/ and ext/ at the templates installed beside the executables.
    void UseInstalledTemplates();
    // Writes a template below the test's own lib/ folder.
    void WriteLib(const std::string& relative, const std::string& content) const;
    void WriteExt(const std::string& relative, const std::string& content) const;
    // Writes a file below the source folder / the OPS folder.
    void WriteSource(const std::string& relative, const std::string& content) const;
    void WriteOps(const std::string& relative, const std::string& content) const;
    // The text of a file in the OPS folder ("" when missing).
    std::string Ops(const std::string& relative) const;
    bool OpsHas(const std::string& relative) const;
    // Chapters a.htm, b.htm, ... with titles "Title A", ... (count of them).
    void AddChapters(int count);

    TempDir dir;
    Book book;
};

// A 1x1 picture in PNG and in GIF format.
std::string TinyPng();
std::string TinyGif();

}  // namespace quillery::testing
