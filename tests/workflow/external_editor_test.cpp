// The Edit menu's editor commands: the messages that stop them and the folder a file is
// opened from before any make (the window test covers them after a make); the sub-item
// lists of "CSS" and "HTML".

#include "workflow/external_editor.h"

#include <gtest/gtest.h>

#include <functional>

#include "project/book.h"
#include "recording_ui_port.h"
#include "temp_dir.h"

namespace quillery {
namespace {

using testing::RecordingUiPort;
using testing::TempDir;

TEST(ExternalEditor, EachCommandOpensItsFileOrSaysWhyNot) {
    TempDir dir;
    const std::string editor = dir.Write("bin/editor", "#!/bin/sh\n");
    Book book;
    book.sourceFolder = dir.path() + "src/";
    book.folders.opsFolder = dir.path() + "ops/";
    const std::string ops = book.folders.opsFolder;
    using Command = std::function<void(const Book&, const std::string&, UiPort&)>;
    auto listed = [](const std::string& name) {
        return [name](const Book& b, const std::string& e, UiPort& ui) {
            EditListedFile(b, name, e, ui);
        };
    };
    struct Case {
        const char* what;
        std::function<void(Book&)> setUp;
        std::string editorPath;
        Command command;
        std::string event;  // what the port saw; "" nothing
    };
    const Case cases[] = {
        {"no editor", {}, "", EditPackageDocument, std::string("message: ") + kSetEditorMessage},
        {"editor gone",
         {},
         dir.path() + "gone",
         EditPackageDocument,
         std::string("message: ") + kEditorMissingMessage},
        {"meta", {}, editor, EditPackageDocument, "open: " + editor + " " + ops + "content.opf"},
        {"no stylesheet", {}, editor, EditOnlyStylesheet, std::string("message: ") + kNoCssMessage},
        {"one stylesheet before any import", [](Book& b) { b.stylesheets = {"s.css"}; }, editor,
         EditOnlyStylesheet, ""},
        {"one stylesheet imported",
         [](Book& b) {
             b.stylesheets = {"s.css"};
             b.previewSource = PreviewSource::Imported;
         },
         editor, EditOnlyStylesheet, "open: " + editor + " " + book.sourceFolder + "s.css"},
        {"two stylesheets: the sub-items act",
         [](Book& b) {
             b.stylesheets = {"a.css", "b.css"};
         },
         editor, EditOnlyStylesheet, ""},
        {"sub-item imported", [](Book& b) { b.previewSource = PreviewSource::Imported; }, editor,
         listed("c 1.htm"), "open: " + editor + " " + book.sourceFolder + "c 1.htm"},
    };
    for (const Case& c : cases) {
        Book b = book;
        if (c.setUp) c.setUp(b);
        RecordingUiPort ui;
        c.command(b, c.editorPath, ui);
        const std::vector<std::string> expected =
            c.event.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.event};
        EXPECT_EQ(ui.events, expected) << c.what;
    }
}

TEST(ExternalEditor, SubItemsListFilesOfTheSourceFolderAndStylesheetsOnlyWhenSeveral) {
    TempDir dir;
    Book book;
    book.sourceFolder = dir.path();
    dir.Write("a.css", "p{}");
    dir.Write("one.htm", "<p>1</p>");
    book.chapters = {{"one.htm", {}, 0, {}}, {"gone.htm", {}, 0, {}}};
    book.stylesheets = {"a.css"};
    EXPECT_TRUE(EditMenuEntriesOf(book).css.empty());
    book.stylesheets = {"a.css", "missing.css"};
    const EditMenuEntries entries = EditMenuEntriesOf(book);
    EXPECT_EQ(entries.css, std::vector<std::string>{"a.css"});
    EXPECT_EQ(entries.html, std::vector<std::string>{"one.htm"});
}

}  // namespace
}  // namespace quillery
