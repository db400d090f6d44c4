// Where the work folders lie: the portable layout keeps everything in the program folder, an
// installed program reads its data from share/quillery/ and keeps its state in the user's
// data folder, even when it may write to its own bin/.

#include "project/work_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "temp_dir.h"

namespace quillery {
namespace {

// Sets an environment variable (or unsets it, for nullopt) for the scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(WorkFolders, PortableLayoutKeepsStateBesideTheProgramAndAnInstalledOneInTheUsersFolder) {
    testing::TempDir dir;
    ScopedEnv state("QUILLERY_STATE_DIR", std::nullopt);
    ScopedEnv xdg("XDG_DATA_HOME", dir.path() + "xdg");

    std::filesystem::create_directories(dir.path() + "portable/lib");
    const WorkFolders portable = ComputeWorkFolders(dir.path() + "portable");
    EXPECT_EQ(portable.dataFolder, dir.path() + "portable/");
    EXPECT_EQ(portable.stateFolder, dir.path() + "portable/");
    EXPECT_EQ(portable.opsFolder, dir.path() + "portable/temp/OPS/");

    // usr/bin is writable here (as for root, or a prefix in the user's home).
    std::filesystem::create_directories(dir.path() + "usr/bin");
    std::filesystem::create_directories(dir.path() + "usr/share/quillery/lib");
    const WorkFolders installed = ComputeWorkFolders(dir.path() + "usr/bin/");
    EXPECT_EQ(installed.dataFolder, dir.path() + "usr/share/quillery/");
    EXPECT_EQ(installed.stateFolder, dir.path() + "xdg/quillery/");
    EXPECT_EQ(installed.settingsFile, dir.path() + "xdg/quillery/setting.opt");
    EXPECT_EQ(installed.libFolder, dir.path() + "usr/share/quillery/lib/");
}

}  // namespace
}  // namespace quillery
