// corpus_driver.cpp: the `main` of the fuzz targets in the normal test
// build. Runs the target once over every file of the folders (or files)
// named on the command line, in name order, so that the committed corpus and
// every saved crash case are replayed under the test build's sanitizers.
//
// A folder that does not exist is skipped (a target may have no saved crash
// cases yet), but a run that finds no input at all fails: a renamed corpus
// must not turn the test into one that checks nothing.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

namespace fs = std::filesystem;

void collect(const fs::path& argument, std::vector<fs::path>& inputs)
{
    std::error_code error;
    if (fs::is_regular_file(argument, error)) {
        inputs.push_back(argument);
        return;
    }
    if (!fs::is_directory(argument, error))
        return;
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(argument, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && !name.starts_with("."))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    inputs.insert(inputs.end(), files.begin(), files.end());
}

bool readFile(const fs::path& path, std::vector<std::uint8_t>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i)
        collect(argv[i], inputs);
    if (inputs.empty()) {
        std::fprintf(stderr, "%s: no inputs found\n", argv[0]);
        return 1;
    }
    std::vector<std::uint8_t> bytes;
    for (const fs::path& input : inputs) {
        if (!readFile(input, bytes)) {
            std::fprintf(stderr, "%s: cannot read %s\n", argv[0], input.c_str());
            return 1;
        }
        // Named before the run, so that a crash report shows which input it was.
        std::fprintf(stderr, "running %s (%zu bytes)\n", input.c_str(), bytes.size());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::fprintf(stderr, "%zu inputs ran\n", inputs.size());
    return 0;
}
