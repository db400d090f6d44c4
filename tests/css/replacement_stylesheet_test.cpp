#include "css/replacement_stylesheet.h"

#include <gtest/gtest.h>

namespace quillery {
namespace {

TEST(ReplacementStylesheet, LoadNewRecordsThePathAndLabelsItFolderFirst) {
    Book book;
    EXPECT_EQ(ChooseReplacementStylesheet(book, "/home/me/css/book.css"), "(/home/me/css/)book.css");
    EXPECT_EQ(book.replacementStylesheet, "/home/me/css/book.css");
}

TEST(ReplacementStylesheet, TickingChoosesTheEmptyDefaultAndClearingForgetsThePath) {
    Book book;
    ChooseReplacementStylesheet(book, "/home/me/book.css");
    EXPECT_EQ(SetReplaceStylesheet(book, true), "(default)");
    EXPECT_TRUE(book.options.replaceStylesheet);
    EXPECT_EQ(book.replacementStylesheet, "");
    EXPECT_FALSE(UsesReplacementStylesheet(book));  // the default stylesheet is empty

    ChooseReplacementStylesheet(book, "/home/me/book.css");
    EXPECT_TRUE(UsesReplacementStylesheet(book));

    EXPECT_EQ(SetReplaceStylesheet(book, false), "");
    EXPECT_FALSE(book.options.replaceStylesheet);
    EXPECT_EQ(book.replacementStylesheet, "");
    EXPECT_FALSE(UsesReplacementStylesheet(book));
}

TEST(ReplacementStylesheet, ChosenFileWithoutTheOptionIsNotUsed) {
    Book book;
    ChooseReplacementStylesheet(book, "/home/me/book.css");
    EXPECT_FALSE(UsesReplacementStylesheet(book));
}

}  // namespace
}  // namespace quillery
