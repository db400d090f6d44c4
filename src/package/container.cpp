// The ePub container folder (see container.h).

#include "package/container.h"

#include <filesystem>

#include "project/command_runner.h"

namespace fs = std::filesystem;

namespace quillery {

void PrepareContainer(Book& book) {
    WorkFolders& folders = book.folders;
    if (!book.outputFolder.empty()) fs::create_directories(book.outputFolder);
    fs::create_directories(folders.tempFolder);
    fs::create_directories(folders.tempFolder + "META-INF");
    folders.opsFolder = folders.tempFolder + "OPS/";
    fs::create_directories(folders.opsFolder);

    CopyFile(folders.libFolder + "mimetype", folders.tempFolder + "mimetype");
    CopyFile(folders.libFolder + "META-INF/container.xml",
             folders.tempFolder + "META-INF/container.xml");
}

}  // namespace quillery
