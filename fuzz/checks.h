// What the two halves of the fuzz target share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reports a check that failed and aborts, which the fuzzer takes for a crash.
[[noreturn]] void Fail(const char* what, const std::string& detail = {});

// Drives the diagnostic routines with parameters taken from the input's end.
void CheckDiagnostics(const uint8_t* data, size_t size);
