// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Runs a fuzz target's entry point once per input file, without libFuzzer:
// linked to every target's own source in the ordinary build, it replays the
// seed corpus and the kept crash reproducers under ctest, so a regression
// fails the suite even where clang is not installed.
//
// Usage: <target>_replay PATH... where each PATH is a file or a directory,
// whose regular files are replayed in name order. A broken invariant aborts,
// which ctest reports with the input named just before.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace fs = std::filesystem;

namespace {

// Files of a directory in name order, so runs are repeatable.
std::vector<fs::path> inputsBelow(const fs::path &path, std::error_code &error)
{
    std::vector<fs::path> inputs;
    if (!fs::is_directory(path, error)) {
        if (!error)
            inputs.push_back(path);
        return inputs;
    }
    for (fs::recursive_directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file())
            inputs.push_back(it->path());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE-OR-DIRECTORY...\n", argv[0]);
        return 2;
    }
    LLVMFuzzerInitialize(&argc, &argv);

    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        const std::vector<fs::path> inputs = inputsBelow(argv[i], error);
        // A missing directory is a target without kept reproducers.
        if (error && error != std::errc::no_such_file_or_directory) {
            std::fprintf(stderr, "%s: %s\n", argv[i], error.message().c_str());
            return 1;
        }
        for (const fs::path &input : inputs) {
            std::ifstream file(input, std::ios::binary);
            std::vector<char> bytes(fs::file_size(input, error));
            if (error || !file.read(bytes.data(), std::streamsize(bytes.size()))) {
                std::fprintf(stderr, "%s: cannot read\n", input.c_str());
                return 1;
            }
            std::fprintf(stderr, "replaying %s\n", input.c_str());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
