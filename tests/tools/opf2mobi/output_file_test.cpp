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

TEST(Opf2MobiInterrupted, LeavesTheOlderBookOrACompleteNewOne) {
    quillery::testing::TempDir dir;
    const auto book =
        testing::WriteTestBook(dir.path() + "pkg", {.chapters = 30, .chapterBytes = 40000});
    const std::string program = quillery::testing::ProgramFolder() + "opf2mobi";
    const std::string target = book.folder + "content.mobi";
    dir.Write("pkg/content.mobi", "an older book");
    const std::pair<int, int> interruptions[] = {
        {0, SIGINT}, {30, SIGTERM}, {150, SIGINT}, {400, SIGTERM}, {2500, SIGINT}};
    for (const auto& [delayMs, signal] : interruptions) {
        SCOPED_TRACE(delayMs);
        const pid_t child = fork();
        if (child == 0) {
            if (!freopen("/dev/null", "w", stdout)) _exit(127);
            execl(program.c_str(), program.c_str(), book.opfPath.c_str(), nullptr);
            _exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        kill(child, signal);
        int status = 0;
        waitpid(child, &status, 0);
        for (const auto& entry : std::filesystem::directory_iterator(book.folder)) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(entry.is_directory() || name == "content.mobi" || name == "content.opf" ||
                        name == "toc.ncx" || name == "toc.htm")
                << "left behind: " << name;
        }
        const auto content = ReadWholeFile(target);
        ASSERT_TRUE(content.has_value());
        if (*content != "an older book") {
            ASSERT_TRUE(testing::LibMobiBook(target).Text().has_value());
            dir.Write("pkg/content.mobi", "an older book");
        }
    }
}

}  // namespace
}  // namespace quillery::mobi
