// The lines of a list file as listbox texts, as both hosts read them.
#pragma once

#include "Tolvarenkis.h"

#include <cstdio>
#include <string>
#include <vector>

// The file's bytes as they are; false when it cannot be opened.
inline bool ReadBytes(const std::string& path, std::string& bytes) {
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return false;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;) bytes.append(chunk, n);
    std::fclose(in);
    return true;
}

// Splits the bytes into lines without their line ends. Every line must fit a listbox text,
// which is the host's duty, so that the whole text is refused if one does not: answers 0, or
// the 1-based number of the first line that does not fit.
inline size_t SplitLines(const std::string& bytes, std::vector<std::string>& lines) {
    for (size_t start = 0; start < bytes.size();) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > TOLVARENKIS_TEXT_MAX || line.find('\0') != std::string::npos) return lines.size() + 1;
        lines.push_back(line);
        start = end + 1;
    }
    return 0;
}
