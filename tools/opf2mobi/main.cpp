// opf2mobi: compiles an OPF package into a Kindle MOBI book. The compiler itself is the
// quillery_mobi library, which never prints; this program is its console.

#include <malloc.h>

#include <iostream>
#include <string>
#include <vector>

#include "opf2mobi/opf2mobi_command.h"

int main(int argc, char** argv) {
    // Each chapter is read, parsed and translated in buffers of a few hundred kilobytes that
    // are freed soon after. Kept by the allocator for the next chapter rather than handed back
    // to the system and faulted in again, they cost a third less time; the whole book's size
    // bounds what is kept.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    mallopt(M_TRIM_THRESHOLD, 8 << 20);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        return quillery::opf2mobi::RunOpf2Mobi(arguments, std::cout);
    } catch (const std::exception& e) {
        std::cout << "Error(opf2mobi): " << e.what()
                  << "\nError(opf2mobi): Mobi file not built (1 error(s))\n";
        return quillery::opf2mobi::kExitNotBuilt;
    }
}
