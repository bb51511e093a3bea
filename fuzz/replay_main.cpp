// Feeds every file of the corpus folders (or the files) named on the command line to the
// target once, as libFuzzer would, so the normal build checks the committed corpus without
// a fuzzing compiler.
#include "fuzz_input.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

int replayFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read the corpus file %s\n", path.c_str());
        return 1;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER_OR_FILE...\n", argv[0]);
        return 2;
    }
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path given(argv[i]);
        std::error_code error;
        if (std::filesystem::is_directory(given, error)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(given)) {
                if (entry.is_regular_file()) {
                    if (replayFile(entry.path()) != 0) {
                        return 1;
                    }
                    ++replayed;
                }
            }
        } else if (std::filesystem::is_regular_file(given, error)) {
            if (replayFile(given) != 0) {
                return 1;
            }
            ++replayed;
        } else {
            std::fprintf(stderr, "no corpus folder or file at %s\n", argv[i]);
            return 1;
        }
    }
    if (replayed == 0) {
        std::fprintf(stderr, "the corpus is empty: nothing was replayed\n");
        return 1;
    }
    std::printf("replayed %d inputs\n", replayed);
    return 0;
}
