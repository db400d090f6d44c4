// The work-folder lock: one holder at a time; a second taker waits or gives up at once.

#include "project/work_folder_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "temp_dir.h"

namespace quillery {
namespace {

TEST(WorkFolderLock, OneHolderAtATimeTheNextWaitsOrGivesUp) {
    testing::TempDir dir;
    WorkFolders folders;
    folders.stateFolder = dir.path() + "state/";  // made by the first taker
    auto first = WorkFolderLock::Take(folders, false, nullptr);
    ASSERT_TRUE(first.has_value());
    bool told = false;
    EXPECT_FALSE(WorkFolderLock::Take(folders, false, [&] { told = true; }).has_value());
    EXPECT_FALSE(told);  // giving up says nothing: the caller does

    std::atomic<bool> waited{false}, taken{false};
    std::thread second([&] {
        auto lock = WorkFolderLock::Take(folders, true, [&] { waited = true; });
        taken = lock.has_value();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(waited);
    EXPECT_FALSE(taken);  // still waiting for the first holder
    first.reset();
    second.join();
    EXPECT_TRUE(taken);
    EXPECT_TRUE(WorkFolderLock::Take(folders, false, nullptr).has_value());  // released again
}

}  // namespace
}  // namespace quillery
