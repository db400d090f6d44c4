// quillery runs side by side and interrupted: the work folders are used by one run at a
// time, two makes started together each make their own whole book, and a killed run takes
// its compiler with it.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include "mobi_reader.h"
#include "project/work_folder_lock.h"
#include "run_quillery.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

using namespace std::chrono_literals;

bool ProcessIsGone(pid_t pid) {
    for (int i = 0; i < 100; ++i) {
        // A zombie has ended too: only a process still running counts.
        const std::string state = ReadTextFile("/proc/" + std::to_string(pid) + "/stat");
        if (state.empty() || state.find(") Z") != std::string::npos) return true;
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

// A chapter folder whose pages hold `word`.
std::string WriteBookOf(const TempDir& dir, const std::string& word) {
    for (int i = 1; i <= 3; ++i) {
        dir.Write(word + "/0" + std::to_string(i) + ".htm",
                  "<html><head><title>" + word + " " + std::to_string(i) +
                      "</title></head><body><p>" + std::string(2000, 'x') + " " + word +
                      std::to_string(i) + "</p></body></html>\n");
    }
    return dir.path() + word;
}

TEST(QuilleryRuns, ASecondRunWaitsForTheFirstOrWithNoWaitStops) {
    TempDir dir;
    const std::string chapters = WriteBookOf(dir, "alpha");
    WorkFolders folders;
    folders.stateFolder = dir.path() + "state/";
    auto held = WorkFolderLock::Take(folders, false, nullptr);
    ASSERT_TRUE(held.has_value());

    const QuilleryRun refused = RunQuilleryProgram(dir.path(), {"make", "--no-wait", chapters});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("another Quillery run is using the work folders"), std::string::npos)
        << refused.err;

    auto waiting = std::async(std::launch::async, [&] {
        return RunQuilleryProgram(dir.path(), {"make", "-o", "out/", chapters});
    });
    EXPECT_EQ(waiting.wait_for(700ms), std::future_status::timeout);
    held.reset();
    const QuilleryRun run = waiting.get();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("waiting for another Quillery run to finish"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir.path() + "out/alpha.mobi"));
}

// Both runs share one state folder; each book holds its own words and none of the other's.
TEST(QuilleryRuns, TwoMakesStartedTogetherEachMakeTheirOwnBook) {
    TempDir dir;
    const std::string alpha = WriteBookOf(dir, "alpha"), omega = WriteBookOf(dir, "omega");
    auto first = std::async(std::launch::async, [&] {
        return RunQuilleryProgram(dir.path(), {"make", "-o", "a/", alpha});
    });
    auto second = std::async(std::launch::async, [&] {
        return RunQuilleryProgram(dir.path(), {"make", "-o", "b/", omega});
    });
    const QuilleryRun a = first.get(), b = second.get();
    ASSERT_EQ(a.status, 0) << a.err;
    ASSERT_EQ(b.status, 0) << b.err;
    const auto alphaText = mobi::testing::LibMobiBook(dir.path() + "a/alpha.mobi").Text();
    const auto omegaText = mobi::testing::LibMobiBook(dir.path() + "b/omega.mobi").Text();
    ASSERT_TRUE(alphaText && omegaText);
    for (const char* n : {"1", "2", "3"}) {
        EXPECT_TRUE(alphaText->find(std::string("alpha") + n) != std::string::npos &&
                    omegaText->find(std::string("omega") + n) != std::string::npos);
        EXPECT_TRUE(alphaText->find("omega") == std::string::npos &&
                    omegaText->find("alpha") == std::string::npos);
    }
}

// Interrupted (SIGTERM) or killed outright (SIGKILL), quillery leaves no compiler running.
TEST(QuilleryRuns, AKilledRunTakesItsCompilerWithIt) {
    for (const int signal : {SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signal);
        TempDir dir;
        const std::string chapters = WriteBookOf(dir, "alpha");
        const std::string pidFile = dir.path() + "compiler.pid";
        const std::string compiler = dir.Write(
            "bin/slow-compiler", "#!/bin/sh\necho $$ > '" + pidFile + "'\nexec sleep 30\n");
        fs::permissions(compiler, fs::perms::owner_all, fs::perm_options::add);
        const pid_t quillery =
            StartQuilleryProgram(dir.path(), {"make", "--kindlegen", compiler, chapters});
        std::string pid;
        for (int i = 0; i < 200 && pid.empty(); ++i) {
            std::this_thread::sleep_for(50ms);
            pid = ReadTextFile(pidFile);
        }
        ASSERT_FALSE(pid.empty()) << "the compiler never started";
        kill(quillery, signal);
        int status = 0;
        waitpid(quillery, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        EXPECT_TRUE(ProcessIsGone(std::stoi(pid)));
    }
}

}  // namespace
}  // namespace quillery::testing
