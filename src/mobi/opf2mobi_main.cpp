// opf2mobi: compiles an OPF package into a Kindle MOBI book.

#include <iostream>
#include <string>
#include <vector>

#include "mobi/command_line.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        return quillery::mobi::RunOpf2Mobi(arguments, std::cout);
    } catch (const std::exception& e) {
        std::cout << "Error(opf2mobi): " << e.what()
                  << "\nError(opf2mobi): Mobi file not built (1 error(s))\n";
        return quillery::mobi::kExitNotBuilt;
    }
}
