// The shell helpers go through the UI port.

#include "project/shell_actions.h"

#include <gtest/gtest.h>

#include "recording_ui_port.h"
#include "temp_dir.h"

namespace quillery {
namespace {

TEST(ShellHelpers, GoThroughTheUiPort) {
    testing::TempDir dir;
    const std::string file = dir.Write("book.mobi", "x");
    testing::RecordingUiPort ui;
    ui.answerYes = false;
    EXPECT_FALSE(ConfirmYesNo(ui, "Are you sure?"));
    ShellOpenWith(ui, "/usr/bin/editor", "'/a b/toc.ncx'");
    ShellOpenDefault(ui, "https://example.org/");
    OpenIfExists(ui, file);
    OpenIfExists(ui, dir.path() + "missing.mobi");
    EXPECT_EQ(ui.events, (std::vector<std::string>{
                             "confirm: Are you sure?", "open: /usr/bin/editor '/a b/toc.ncx'",
                             "open-default: https://example.org/", "open: " + file}));
}

}  // namespace
}  // namespace quillery
