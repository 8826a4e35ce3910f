// Feeds every file under the folders or files named on the command line to every check of
// the fuzz target once, so that the stored corpus runs as an ordinary test wherever libFuzzer is
// not there. A check that fails aborts; a corpus that holds no file fails too.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

// Every check of the fuzz target on one input, not only the one its last byte chooses.
extern "C" void CheckEveryWay(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

// Absolute, for the target works in a folder of its own once it has run.
std::vector<fs::path> InputsUnder(const fs::path& named) {
    const fs::path root = fs::absolute(named);
    std::vector<fs::path> inputs;
    if (fs::is_regular_file(root)) inputs.push_back(root);
    if (fs::is_directory(root))
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

void Run(const fs::path& input) {
    std::ifstream in(input, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::fprintf(stderr, "%s\n", input.generic_string().c_str());
    CheckEveryWay(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    size_t ran = 0;
    for (int i = 1; i < argc; ++i) {
        for (const fs::path& input : InputsUnder(argv[i])) {
            Run(input);
            ++ran;
        }
    }
    std::printf("%zu inputs ran\n", ran);
    return ran > 0 ? 0 : 1;
}
