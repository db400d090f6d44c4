// An interrupted opf2mobi leaves either the older book or a complete new one, and no
// temporary file.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "mobi/package_paths.h"
#include "mobi_reader.h"
#include "temp_dir.h"
#include "test_book.h"

namespace quillery::mobi {
namespace {

// Starts opf2mobi on `opf` with the extra arguments, its output going to `outputFile` and its
// file size limit set to `fileSizeLimit` bytes; returns its process id.
pid_t StartOpf2Mobi(const std::string& opf, const std::vector<std::string>& extra,
                    rlim_t fileSizeLimit, const std::string& outputFile) {
    const std::string program = quillery::testing::ProgramFolder() + "opf2mobi";
    const pid_t child = fork();
    if (child == 0) {
        if (!freopen(outputFile.c_str(), "w", stdout)) _exit(127);
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(127);
        std::vector<const char*> argv = {program.c_str(), opf.c_str()};
        for (const auto& argument : extra) argv.push_back(argument.c_str());
        argv.push_back(nullptr);
        execv(program.c_str(), const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    return child;
}

TEST(Opf2MobiInterrupted, LeavesTheOlderBookOrACompleteNewOne) {
    quillery::testing::TempDir dir;
    const auto book =
        testing::WriteTestBook(dir.path() + "pkg", {.chapters = 30, .chapterBytes = 40000});
    const std::string target = book.folder + "content.mobi";
    dir.Write("pkg/content.mobi", "an older book");
    const std::pair<int, int> interruptions[] = {
        {0, SIGINT}, {30, SIGTERM}, {150, SIGINT}, {400, SIGTERM}, {2500, SIGINT}};
    for (const auto& [delayMs, signal] : interruptions) {
        SCOPED_TRACE(delayMs);
        const pid_t child = StartOpf2Mobi(book.opfPath, {}, RLIM_INFINITY, "/dev/null");
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

TEST(Opf2MobiInterrupted, FileSizeLimitLeavesTheOlderBookNoTemporaryFileAndOneLine) {
    quillery::testing::TempDir dir;
    const auto book = testing::WriteTestBook(dir.path() + "pkg", {.chapters = 8});
    const std::string longName = std::string(250, 'n') + ".mobi";  // 255 bytes: the longest
    struct Case {
        const char* name;
        std::vector<std::string> extra;
        std::string target;
        rlim_t limit;
        bool built;
    };
    const Case cases[] = {
        {"PalmDOC book over a 64 KB limit", {}, "content.mobi", 64 * 1024, false},
        {"Huffdic book over a 4 KB limit", {"-c2"}, "content.mobi", 4096, false},
        {"the longest name over the limit", {"-o", longName}, longName, 64 * 1024, false},
        {"the longest name, no limit", {"-o", longName}, longName, RLIM_INFINITY, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string target = book.folder + c.target;
        dir.Write("pkg/" + c.target, "an older book");
        int status = 0;
        waitpid(StartOpf2Mobi(book.opfPath, c.extra, c.limit, dir.path() + "output.txt"), &status,
                0);
        const std::string output = ReadWholeFile(dir.path() + "output.txt").value_or("");
        ASSERT_TRUE(WIFEXITED(status));
        for (const auto& entry : std::filesystem::directory_iterator(book.folder)) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name[0] != '.') << "left behind: " << name;
        }
        if (c.built) {
            EXPECT_EQ(WEXITSTATUS(status), 0) << output;
            EXPECT_TRUE(testing::LibMobiBook(target).Text().has_value());
        } else {
            EXPECT_EQ(WEXITSTATUS(status), 2);
            EXPECT_EQ(*ReadWholeFile(target), "an older book");
            const std::string last = output.substr(output.rfind('\n', output.size() - 2) + 1);
            EXPECT_EQ(last,
                      "Error(opf2mobi): the file size limit was reached; the book was not "
                      "written\n");
        }
        std::filesystem::remove(target);
    }
}

}  // namespace
}  // namespace quillery::mobi
