#include "support/exports.h"

#include "Tolvarenkis.h"

#include <cstdio>
#include <cstdlib>

#if defined(_WIN32)

namespace {

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
    FARPROC address = GetProcAddress(module, name);
    if (!address) {
        std::fprintf(stderr, "Tolvarenkis.dll does not export %s\n", name);
        std::abort();
    }
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(address));
}

}  // namespace

const Exports& Dll() {
    static const Exports exports = [] {
        HMODULE module = LoadLibraryA("Tolvarenkis.dll");
        if (!module) {
            std::fprintf(stderr, "cannot load Tolvarenkis.dll\n");
            std::abort();
        }
        Exports loaded{};
        loaded.Dll_Info = Export<decltype(loaded.Dll_Info)>(module, "Dll_Info");
        loaded.LookLb = Export<decltype(loaded.LookLb)>(module, "LookLb");
        loaded.SortLb = Export<decltype(loaded.SortLb)>(module, "SortLb");
        loaded.SortLbEx = Export<decltype(loaded.SortLbEx)>(module, "SortLbEx");
        loaded.LookLbEx = Export<decltype(loaded.LookLbEx)>(module, "LookLbEx");
        loaded.LookLbExW = Export<decltype(loaded.LookLbExW)>(module, "LookLbExW");
        loaded.AddLbEx = Export<decltype(loaded.AddLbEx)>(module, "AddLbEx");
        loaded.AddLbExW = Export<decltype(loaded.AddLbExW)>(module, "AddLbExW");
        loaded.SortTvEx = Export<decltype(loaded.SortTvEx)>(module, "SortTvEx");
        loaded.LookTvEx = Export<decltype(loaded.LookTvEx)>(module, "LookTvEx");
        loaded.LookTvExW = Export<decltype(loaded.LookTvExW)>(module, "LookTvExW");
        loaded.AddTvEx = Export<decltype(loaded.AddTvEx)>(module, "AddTvEx");
        loaded.AddTvExW = Export<decltype(loaded.AddTvExW)>(module, "AddTvExW");
        return loaded;
    }();
    return exports;
}

#else

const Exports& Dll() {
    static const Exports exports{Dll_Info, LookLb,  SortLb,   SortLbEx, LookLbEx, LookLbExW, AddLbEx,
                                 AddLbExW, SortTvEx, LookTvEx, LookTvExW, AddTvEx, AddTvExW};
    return exports;
}

#endif
