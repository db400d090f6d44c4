#include "package/container.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace quillery {

void PrepareContainer(Book& book) {
    WorkFolders& folders = book.folders;
    if (!book.outputFolder.empty()) fs::create_directories(book.outputFolder);
    fs::create_directories(folders.tempFolder);
    fs::create_directories(folders.tempFolder + "META-INF");
    folders.opsFolder = folders.tempFolder + "OPS/";
    fs::create_directories(folders.opsFolder);

    const auto overwrite = fs::copy_options::overwrite_existing;
    fs::copy_file(folders.libFolder + "mimetype", folders.tempFolder + "mimetype", overwrite);
    fs::copy_file(folders.libFolder + "META-INF/container.xml",
                  folders.tempFolder + "META-INF/container.xml", overwrite);
}

}  // namespace quillery
