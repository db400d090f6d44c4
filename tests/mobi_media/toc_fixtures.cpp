#include "toc_fixtures.h"

namespace quillery::mobi::testing {
namespace {

void AddHeading(NestedBook& book, int level, const std::string& label) {
  const char digit = static_cast<char>('1' + level);
  book.items.push_back(TocItem{label, static_cast<std::uint32_t>(book.text.size()), level});
  std::string& text = book.text;
  text.append("<h").append(1, digit).append(">").append(label);
  text.append("</h").append(1, digit).append("><p>Some text of ").append(label).append(".</p>");
}

}  // namespace

NestedBook MakeNestedBook(int chapters, int sectionsPerChapter, int subsectionsPerSection,
                          const std::string& labelPrefix) {
  NestedBook book;
  book.text = "<html><head><guide></guide></head><body>";
  for (int c = 1; c <= chapters; ++c) {
    std::string chapter = labelPrefix;
    chapter.append(" ").append(std::to_string(c));
    AddHeading(book, 0, chapter);
    for (int s = 1; s <= sectionsPerChapter; ++s) {
      std::string section = chapter;
      section.append(".").append(std::to_string(s));
      AddHeading(book, 1, section);
      for (int u = 1; u <= subsectionsPerSection; ++u) {
        std::string subsection = section;
        AddHeading(book, 2, subsection.append(".").append(std::to_string(u)));
      }
    }
    book.text += "<mbp:pagebreak/>";
  }
  book.text += "</body></html>";
  return book;
}

}  // namespace quillery::mobi::testing
