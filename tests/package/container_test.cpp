// The container folder: folders created, mimetype and container.xml copied.

#include "package/container.h"

#include <filesystem>
#include <system_error>

#include "package_fixture.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

class ContainerTest : public PackageTest {
protected:
    ContainerTest() {
        book.folders.tempFolder = dir.path() + "state/temp/";
        book.folders.opsFolder.clear();
        book.outputFolder = dir.path() + "out/new/books/";
    }
};

TEST_F(ContainerTest, LaysOutTheContainerWithTheInstalledTemplates) {
    UseInstalledTemplates();
    PrepareContainer(book);
    const std::string temp = book.folders.tempFolder;
    EXPECT_EQ(book.folders.opsFolder, temp + "OPS/");
    EXPECT_TRUE(fs::is_directory(temp + "OPS"));
    EXPECT_TRUE(fs::is_directory(book.outputFolder));
    book.folders.opsFolder = temp;  // read the container root through the fixture's helper
    EXPECT_EQ(Ops("mimetype"), "application/epub+zip");
    EXPECT_NE(Ops("META-INF/container.xml").find("full-path=\"OPS/content.opf\""),
              std::string::npos);
}

TEST_F(ContainerTest, SecondRunOverwritesAndKeepsTheOpsContent) {
    WriteLib("mimetype", "first");
    WriteLib("META-INF/container.xml", "<c1/>");
    PrepareContainer(book);
    const std::string chapter = book.folders.opsFolder + "a.htm";
    dir.Write("state/temp/OPS/a.htm", "chapter");

    WriteLib("mimetype", "second");
    WriteLib("META-INF/container.xml", "<c2/>");
    PrepareContainer(book);
    book.folders.opsFolder = book.folders.tempFolder;
    EXPECT_EQ(Ops("mimetype"), "second");
    EXPECT_EQ(Ops("META-INF/container.xml"), "<c2/>");
    EXPECT_EQ(Ops("OPS/a.htm"), "chapter");
    EXPECT_TRUE(fs::is_regular_file(chapter));
}

TEST_F(ContainerTest, MissingTemplateFailsWithTheFileError) {
    WriteLib("mimetype", "application/epub+zip");
    EXPECT_THROW(PrepareContainer(book), std::system_error);
    EXPECT_FALSE(fs::exists(book.folders.tempFolder + "META-INF/container.xml"));
}

TEST_F(ContainerTest, FolderThatCannotBeCreatedFails) {
    UseInstalledTemplates();
    dir.Write("blocker", "a file");
    book.outputFolder = dir.path() + "blocker/out/";
    EXPECT_THROW(PrepareContainer(book), std::system_error);
}

}  // namespace
}  // namespace quillery::testing
