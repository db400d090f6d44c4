// An interrupted opf2mobi leaves either the older book or a complete new one, and no
// temporary file.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "mobi/package_paths.h"
#include "mobi_reader.h"
#include "temp_dir.h"
#include "test_book.h"

namespace quillery::mobi {
namespace {

namespace fs = std::filesystem;

TEST(Opf2MobiInterrupted, LeavesTheOlderBookOrACompleteNewOne) {
    quillery::testing::TempDir dir;
    testing::TestBookOptions options;
    options.chapters = 40;
    options.chapterBytes = 40000;
    options.pictures = 8;
    const auto book = testing::WriteTestBook(dir.path() + "pkg", options);
    const std::string program = quillery::testing::ProgramFolder() + "opf2mobi";
    const std::string target = book.folder + "content.mobi";
    dir.Write("pkg/content.mobi", "an older book");
    int replaced = 0;
    for (int delayMs : {0, 20, 60, 120, 250, 500, 1000, 3000}) {
        for (int signal : {SIGINT, SIGTERM}) {
            const pid_t child = fork();
            if (child == 0) {
                if (!freopen("/dev/null", "w", stdout)) _exit(127);
                execl(program.c_str(), program.c_str(), book.opfPath.c_str(),
                      static_cast<char*>(nullptr));
                _exit(127);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            kill(child, signal);
            int status = 0;
            waitpid(child, &status, 0);
            // Nothing but the package's own files and the book.
            for (const auto& entry : fs::directory_iterator(book.folder)) {
                const std::string name = entry.path().filename().string();
                EXPECT_TRUE(name == "content.mobi" || name == "content.opf" || name == "toc.ncx" ||
                            name == "toc.htm" || entry.is_directory())
                    << "left behind: " << name;
            }
            const auto content = ReadWholeFile(target);
            ASSERT_TRUE(content.has_value());
            if (*content != "an older book") {
                testing::LibMobiBook reader(target);
                ASSERT_TRUE(reader.loaded());
                ASSERT_TRUE(reader.Text().has_value());
                ++replaced;
                dir.Write("pkg/content.mobi", "an older book");
            }
        }
    }
    RecordProperty("replaced", replaced);
}

}  // namespace
}  // namespace quillery::mobi
