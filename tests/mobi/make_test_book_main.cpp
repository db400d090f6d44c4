// opf2mobi_test_book <folder> [chapters] [KB per chapter] [pictures]
// Writes a test book (content.opf, chapters, pictures, cover, toc.ncx) into <folder>.

#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <stdexcept>

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
    try {
        const auto book = quillery::mobi::testing::WriteTestBook(argv[1], options);
        // What a reader must show: the words of every chapter, and the table of contents.
        std::ofstream plain(book.folder + "expected_plain.txt", std::ios::binary);
        plain << book.contentsPlainText << "\n";
        for (const auto& chapter : book.chapters) plain << chapter.plainText << "\n";
        std::ofstream toc(book.folder + "expected_toc.txt", std::ios::binary);
        for (const auto& line : book.tocLines) toc << line << "\n";
        if (!plain || !toc) throw std::runtime_error("cannot write the expected texts");
        std::cout << book.opfPath << "\n";
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 2;
    }
    return 0;
}
