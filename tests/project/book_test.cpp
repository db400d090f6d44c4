// The Book project: metadata filling, the output location, the language code.

#include "project/book.h"

#include <gtest/gtest.h>

#include "chapters.h"
#include "project/book_form.h"
#include "project/language.h"
#include "temp_dir.h"

namespace quillery {
namespace {

using testing::TempDir;

// Title, creator, subject, publisher, uid, description, lang.
std::vector<std::string> MetadataOf(const BookForm& form) {
    Book book;
    FillMetadataFromForm(book, form);
    const BookMetadata& m = book.metadata;
    return {m.title, m.creator, m.subject, m.publisher, m.uid, m.description, m.lang};
}

TEST(FillMetadataFromForm, BlankFieldsTakeTheirDefaults) {
    BookForm form;
    form.inTitle = "  A Book ";
    form.inAuthor = form.inDesc = "   ";
    form.inSubject = " \t ";
    form.inID = "\r\n";
    EXPECT_EQ(MetadataOf(form), (std::vector<std::string>{"A Book", "Anonymous Author", "",
                                                          "Unknown publisher", "None", "", "en"}));
}

// Escaped once, "&" first, so an entity already in the text is escaped as text.
TEST(FillMetadataFromForm, ValuesAreTrimmedAndEscapedOnce) {
    BookForm form;
    form.inTitle = "Tom & Jerry";
    form.inAuthor = " <Anon> ";
    form.inSubject = "a &lt; b";
    form.inPublisher = "P&P";
    form.inID = "urn:isbn:1>2";
    form.inDesc = "line one\r\nline \"two\"\r\n";
    form.selLang = "Chinese (Traditional)";
    EXPECT_EQ(MetadataOf(form), (std::vector<std::string>{
                                    "Tom &amp; Jerry", "&lt;Anon&gt;", "a &amp;lt; b", "P&amp;P",
                                    "urn:isbn:1&gt;2", "line one\r\nline \"two\"", "zh-TW"}));
}

TEST(OutputLocation, TitleAfterWebImport) {
    // clang-format off
    const std::vector<std::string> two = {"a.htm", "b.htm"};
    const struct { std::vector<std::string> files; const char* folder, *title; } cases[] = {
        {{"intro.htm"}, "/w/site/", "intro"}, {{"my.story.html"}, "/w/site/", "my.story"},
        {{"README"}, "/w/site/", ""}, {two, "/w/My Site/", "My Site"}, {two, "/w/site", "site"},
        {two, "/", ""}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(TitleAfterWebImport(testing::ChaptersOf(c.files), c.folder), c.title) << c.folder;
}

// A relative book folder in the settings lies in the state folder, never in whatever folder
// the program happens to be started from.
TEST(OutputLocation, ARelativeBookFolderLiesInTheStateFolder) {
    Book book;
    book.folders.stateFolder = "/home/w/.local/share/quillery/";
    BookForm form;
    for (const auto& [setting, shown] :
         std::vector<std::pair<std::string, std::string>>{
             {"myBook/", "/home/w/.local/share/quillery/myBook/"},
             {"books", "/home/w/.local/share/quillery/books/"},
             {"/srv/books/", "/srv/books/"},
             {"", ""}}) {
        form.inBookPath = setting;
        ChooseSaveFolder(book, form, false);
        EXPECT_EQ(form.lblDesPath, shown) << setting;
    }
}

TEST(LanguageCode, CommonNamesBuiltInListAndDictionary) {
    TempDir dir;
    const std::string dic =
        dir.Write("lang.dic",
                  "Welsh\r\ncy:Welsh\r\nbr:Breton\r\nfy Frisian\r\nxx:English\r\nyy:Hebrew\r\n"
                  "fr:French \r\nse:Northern Sami\r\ntn:Tswana\r\n");
    const std::string missing = dir.path() + "none.dic";
    // Common names in any case, then the case-sensitive built-in list, then the dictionary;
    // a name matches whole entries only, never a part of one.
    // clang-format off
    const std::pair<const char*, const char*> builtIn[] = {
        {"English", "en"},   {"eNgLiSh", "en"},   {"ENGLISH", "en"},   {"french", "fr"},
        {"SPANISH", "es"},   {"German", "de"},    {"japanese", "ja"},  {"Korean", "ko"},
        {"Hebrew", "iw"},    {"hebrew", "en"},    {"Slovak", "sk"},    {"Slovenian", "sl"},
        {"Norwegian", "no"}, {"Ukrainian", "uk"}, {"", "en"},          {"English ", "en"},
        {"Klingon", "en"},   {"ar", "en"},        {"Arab", "en"},      {"Chinese", "en"},
        {"rabic", "en"},     {":Arabic", "en"},   {"Chinese (Simplified)", "zh-CN"},
        {"Chinese (Traditional)", "zh-TW"}};
    // clang-format on
    for (const auto& [name, code] : builtIn) EXPECT_EQ(LanguageCode(name, missing), code) << name;
    // clang-format off
    const std::pair<const char*, const char*> fromDictionary[] = {
        {"Breton", "br"}, {"Frisian", "fy"}, {"Welsh", "cy"}, {"English", "en"}, {"Hebrew", "iw"},
        {"French ", "fr"}, {"Northern Sami", "se"}, {"Sami", "en"}, {"an", "en"}, {"Tswana", "tn"},
        {"Welsh\r\ncy", "en"}};
    // clang-format on
    for (const auto& [name, code] : fromDictionary)
        EXPECT_EQ(LanguageCode(name, dic), code) << name;
}

}  // namespace
}  // namespace quillery
