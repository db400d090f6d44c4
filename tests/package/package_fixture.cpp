#include "package_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace quillery::testing {

PackageTest::PackageTest() {
    WorkFolders& f = book.folders;
    f.programFolder = dir.path();
    f.dataFolder = dir.path();
    f.stateFolder = dir.path();
    f.tempFolder = dir.path() + "temp/";
    f.opsFolder = f.tempFolder + "OPS/";
    f.libFolder = dir.path() + "lib/";
    f.extFolder = dir.path() + "ext/";
    book.sourceFolder = dir.path() + "src/";
    fs::create_directories(f.opsFolder);
    fs::create_directories(book.sourceFolder);
    book.metadata.title = "My Book";
    book.metadata.creator = "Anonymous Author";
    book.metadata.publisher = "Unknown publisher";
    book.metadata.uid = "None";
    book.metadata.lang = "en";
}

void PackageTest::UseInstalledTemplates() {
    book.folders.libFolder = ProgramFolder() + "lib/";
    book.folders.extFolder = ProgramFolder() + "ext/";
}

void PackageTest::WriteLib(const std::string& relative, const std::string& content) const {
    dir.Write("lib/" + relative, content);
}
void PackageTest::WriteExt(const std::string& relative, const std::string& content) const {
    dir.Write("ext/" + relative, content);
}
void PackageTest::WriteSource(const std::string& relative, const std::string& content) const {
    dir.Write("src/" + relative, content);
}
void PackageTest::WriteOps(const std::string& relative, const std::string& content) const {
    dir.Write("temp/OPS/" + relative, content);
}

std::string PackageTest::Ops(const std::string& relative) const {
    std::ifstream in(book.folders.opsFolder + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool PackageTest::OpsHas(const std::string& relative) const {
    return fs::is_regular_file(book.folders.opsFolder + relative);
}

void PackageTest::AddChapters(int count) {
    for (int i = 0; i < count; ++i) {
        const char letter = static_cast<char>('a' + i);
        book.files.push_back(std::string(1, letter) + ".htm");
        book.titles.push_back(std::string("Title ") + static_cast<char>('A' + i));
    }
}

std::string TinyPng() {
    static const unsigned char bytes[] = {
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
        0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00,
        0x00, 0x90, 0x77, 0x53, 0xde, 0x00, 0x00, 0x00, 0x0c, 0x49, 0x44, 0x41, 0x54, 0x78,
        0x9c, 0x63, 0xf8, 0xcf, 0xc0, 0x00, 0x00, 0x03, 0x01, 0x01, 0x00, 0xc9, 0xfe, 0x92,
        0xef, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

std::string TinyGif() {
    static const unsigned char bytes[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xff, 0xff,
        0xff, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
        0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3b};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

}  // namespace quillery::testing
