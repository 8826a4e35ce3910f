// A console host for Tolvarenkis.dll: fills a real listbox with the lines of a text file,
// sorts it ascending, looks keys up, sorts it descending, and prints what it sees.
#include "Tolvarenkis.h"
#include "result_name.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kUsage[] = "usage: tolvarenkis_console [--look KEY]... [--desc | --no-desc] [FILE]";
const char kDefaultFile[] = "data/names.txt";
// Keys that, on the sample list, give every result code of an ascending list.
const char* const kDefaultKeys[] = {"Aachen", "Fischer", "Meier", "Neumann", "\xDC" "berweg"};

struct Options {
    std::vector<std::string> keys;
    bool descending = true;
    std::string file = kDefaultFile;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    bool fileGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--look") {
            if (i + 1 == argc) {
                std::fprintf(stderr, "tolvarenkis_console: --look needs a key (%s)\n", kUsage);
                return false;
            }
            options.keys.push_back(argv[++i]);
        } else if (arg == "--desc") {
            options.descending = true;
        } else if (arg == "--no-desc") {
            options.descending = false;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "tolvarenkis_console: unknown option %s (%s)\n", arg.c_str(), kUsage);
            return false;
        } else if (fileGiven) {
            std::fprintf(stderr, "tolvarenkis_console: one file only (%s)\n", kUsage);
            return false;
        } else {
            options.file = arg;
            fileGiven = true;
        }
    }
    if (options.keys.empty()) options.keys.assign(std::begin(kDefaultKeys), std::end(kDefaultKeys));
    for (const std::string& key : options.keys) {
        if (key.size() > TOLVARENKIS_TEXT_MAX) {
            std::fprintf(stderr, "tolvarenkis_console: a key holds at most %d bytes\n", TOLVARENKIS_TEXT_MAX);
            return false;
        }
    }
    return true;
}

// The file's lines, bytes as they are, without their line ends. Every line must fit a
// listbox text: that is the host's duty, so the file is refused whole if one does not.
bool ReadLines(const std::string& file, std::vector<std::string>& lines) {
    FILE* in = std::fopen(file.c_str(), "rb");
    if (!in) {
        std::fprintf(stderr, "tolvarenkis_console: cannot open %s\n", file.c_str());
        return false;
    }
    std::string content;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;) content.append(chunk, n);
    std::fclose(in);

    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > TOLVARENKIS_TEXT_MAX || line.find('\0') != std::string::npos) {
            std::fprintf(stderr, "tolvarenkis_console: %s:%zu: a line holds at most %d bytes and no zero byte\n",
                         file.c_str(), lines.size() + 1, TOLVARENKIS_TEXT_MAX);
            return false;
        }
        lines.push_back(line);
        start = end + 1;
    }
    return true;
}

void PrintList(HWND list, const char* heading) {
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    std::printf("%s (%d items):\n", heading, count);
    char text[TOLVARENKIS_TEXT_MAX + 1];
    for (int i = 0; i < count; ++i) {
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        std::printf("  %4d  %s\n", i, text);
    }
}

void Sort(HWND list, DWORD direction) {
    SortLb(list, direction);
    const DWORD error = GetLastError();
    if (error) std::printf("SortLb refused: %s\n", RefusalReason(error));
}

void PrintLookup(HWND list, const std::string& key) {
    char buffer[TOLVARENKIS_TEXT_MAX + 1];
    std::strcpy(buffer, key.c_str());
    const int result = LookLb(list, buffer);
    const DWORD error = GetLastError();
    std::printf("  %-20s %-16s", ("\"" + key + "\"").c_str(), LookResultName(result));
    if (result == LOOK_REFUSED) {
        std::printf("  (%s)\n", RefusalReason(error));
        return;
    }
    DWORD position;
    std::memcpy(&position, buffer, sizeof position);
    std::printf("  position %lu\n", static_cast<unsigned long>(position));
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::vector<std::string> lines;
    if (!ParseOptions(argc, argv, options)) return 2;
    if (!ReadLines(options.file, lines)) return 1;

    HWND list = CreateWindowExA(0, "LISTBOX", nullptr, WS_POPUP | WS_VSCROLL, 0, 0, 200, 400,
                                nullptr, nullptr, nullptr, nullptr);
    if (!list) {
        std::fprintf(stderr, "tolvarenkis_console: cannot create a listbox\n");
        return 1;
    }
    for (const std::string& line : lines)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));

    Sort(list, SORT_ASCENDING);
    PrintList(list, "Sorted ascending");
    std::printf("Lookups:\n");
    for (const std::string& key : options.keys) PrintLookup(list, key);

    if (options.descending) {
        Sort(list, SORT_DESCENDING);
        PrintList(list, "Sorted descending");
        std::printf("Lookup in the descending list:\n");
        PrintLookup(list, options.keys.front());
    }
    DestroyWindow(list);
    return 0;
}
