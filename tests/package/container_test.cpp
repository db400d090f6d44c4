// The container folder and the installed templates.

#include <system_error>

#include "package/container.h"
#include "package_fixture.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

TEST_F(PackageTest, ContainerIsLaidOutOverwrittenOnASecondRunOrFailsWithTheFileError) {
    book.folders.tempFolder = dir.path() + "state/temp/";
    book.folders.opsFolder.clear();
    book.outputFolder = dir.path() + "out/new/books/";
    book.folders.libFolder = ProgramFolder() + "lib/";
    PrepareContainer(book);
    EXPECT_TRUE(fs::is_directory(book.folders.opsFolder) && fs::is_directory(book.outputFolder));
    const std::string& temp = book.folders.tempFolder;
    EXPECT_EQ(ReadTextFile(temp + "mimetype"), "application/epub+zip");
    EXPECT_TRUE(Has(ReadTextFile(temp + "META-INF/container.xml"), "path=\"OPS/content.opf\""));

    dir.Write("state/temp/OPS/a.htm", "chapter");
    book.folders.libFolder = dir.path() + "lib/";
    dir.Write("lib/mimetype", "second");
    EXPECT_THROW(PrepareContainer(book), std::system_error);  // container.xml is missing
    dir.Write("lib/META-INF/container.xml", "<second/>");
    PrepareContainer(book);
    EXPECT_EQ(ReadTextFile(temp + "mimetype") + ReadTextFile(temp + "META-INF/container.xml"),
              "second<second/>");
    EXPECT_EQ(Ops("a.htm"), "chapter");
    book.outputFolder = dir.Write("blocker", "a file") + "/out/";
    EXPECT_THROW(PrepareContainer(book), std::system_error);
}

}  // namespace
}  // namespace quillery::testing
