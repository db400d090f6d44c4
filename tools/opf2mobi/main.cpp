// opf2mobi: compiles an OPF package into a Kindle MOBI book. The compiler itself is the
// quillery_mobi library, which never prints; this program is its console.

#include <iostream>
#include <string>
#include <vector>

#include "opf2mobi/opf2mobi_command.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        return quillery::opf2mobi::RunOpf2Mobi(arguments, std::cout);
    } catch (const std::exception& e) {
        std::cout << "Error(opf2mobi): " << e.what()
                  << "\nError(opf2mobi): Mobi file not built (1 error(s))\n";
        return quillery::opf2mobi::kExitNotBuilt;
    }
}
