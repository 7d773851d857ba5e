// Writes a long traverse of LongTraverse.h (the one bench_adjust times) as a .txt
// observation file (TraverseFile.h) and prints the batch tool's arguments for its known
// points:
//
//     write_traverse TYPE STATIONS FILE.txt   (TYPE 0 non-oriented, 1 single, 2 closed, 3 double)
#include "TraverseFile.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: write_traverse TYPE STATIONS FILE.txt\n", stderr);
        return 2;
    }
    const bench::BenchTraverse t = bench::LoadTraverse(std::atoi(argv[1]), std::atoi(argv[2]));
    std::FILE* f = std::fopen(argv[3], "wb");
    if (f == nullptr) return 1;
    const std::string text = bench::FileText(t);
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (std::fclose(f) != 0 || !written) return 1;
    std::printf("%s\n", bench::Arguments(t).c_str());
}
