// Writes a generated MARC 21 corpus: qrn-make-corpus [COUNT SEED] FILE.
// Without COUNT and SEED it writes what data/demo/demo.mrc ships.
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "MarcCorpus.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::cerr << "usage: qrn-make-corpus [COUNT SEED] FILE\n";
        return 2;
    }
    int count = MarcCorpus::kDemoCount;
    unsigned long seed = MarcCorpus::kDemoSeed;
    if (argc == 4) {
        char* end = nullptr;
        count = static_cast<int>(std::strtol(argv[1], &end, 10));
        const bool countOk = *end == '\0' && count > 0;
        seed = std::strtoul(argv[2], &end, 10);
        if (!countOk || *end != '\0') {
            std::cerr << "qrn-make-corpus: COUNT and SEED must be numbers, COUNT above 0\n";
            return 2;
        }
    }
    try {
        writeCorpusFile(argv[argc - 1], count, static_cast<uint32_t>(seed));
    } catch (const std::exception& e) {
        std::cerr << "qrn-make-corpus: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
