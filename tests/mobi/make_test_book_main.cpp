// opf2mobi_test_book <folder> [chapters] [KB per chapter] [pictures]
// Writes a test book into <folder>, with expected_plain.txt (the words a reader must show),
// and prints the path of its content.opf.

#include <cstdlib>
#include <fstream>
#include <iostream>

#include "test_book.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: opf2mobi_test_book <folder> [chapters] [KB per chapter] [pictures]\n";
        return 2;
    }
    quillery::mobi::testing::TestBookOptions options;
    if (argc > 2) options.chapters = std::atoi(argv[2]);
    if (argc > 3) options.chapterBytes = static_cast<std::size_t>(std::atoi(argv[3])) * 1024;
    if (argc > 4) options.pictures = std::atoi(argv[4]);
    // Throws (and so fails) when the book cannot be written.
    const auto book = quillery::mobi::testing::WriteTestBook(argv[1], options);
    std::ofstream plain(book.folder + "expected_plain.txt", std::ios::binary);
    for (const auto& page : book.plainPages) plain << page << "\n";
    std::cout << book.opfPath << "\n";
    if (!plain) return 2;
    return 0;
}
