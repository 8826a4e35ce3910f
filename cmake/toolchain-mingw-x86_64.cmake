# 64-bit Windows: the same module and tests, run under 64-bit Wine where 32-bit programs
# cannot be executed.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(WINE_BITS 64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
