# Shared part of the MinGW-w64 toolchain files: MINGW_TRIPLET names the compiler set and
# WINE_BITS which Wine runs the test programs. The posix thread model lets GoogleTest use
# threads; the test programs link it statically.
set(CMAKE_SYSTEM_NAME Windows)

find_program(MINGW_CXX NAMES ${MINGW_TRIPLET}-g++-posix ${MINGW_TRIPLET}-g++)
find_program(MINGW_CC NAMES ${MINGW_TRIPLET}-gcc-posix ${MINGW_TRIPLET}-gcc)
find_program(MINGW_RC NAMES ${MINGW_TRIPLET}-windres)
if(NOT MINGW_CXX OR NOT MINGW_CC OR NOT MINGW_RC)
  message(FATAL_ERROR "${MINGW_TRIPLET} compilers not found: install g++-mingw-w64 (make deps does).")
endif()
set(CMAKE_C_COMPILER ${MINGW_CC})
set(CMAKE_CXX_COMPILER ${MINGW_CXX})
set(CMAKE_RC_COMPILER ${MINGW_RC})

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh;${WINE_BITS}")
