# 32-bit x86 Linux over the stand-in, its test programs run under qemu-i386: so the module's
# 32-bit code (the stdcall exports, the i386 entries of the diagnostic routines) runs on a
# machine whose kernel cannot execute 32-bit programs, and so cannot start 32-bit Wine.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LINUX_I686_TRIPLET i686-linux-gnu)
set(LINUX_I686_ROOT /usr/${LINUX_I686_TRIPLET})

find_program(LINUX_I686_CXX NAMES ${LINUX_I686_TRIPLET}-g++)
find_program(LINUX_I686_CC NAMES ${LINUX_I686_TRIPLET}-gcc)
find_program(LINUX_I686_QEMU NAMES qemu-i386)
if(NOT LINUX_I686_CXX OR NOT LINUX_I686_CC OR NOT LINUX_I686_QEMU)
  message(FATAL_ERROR "${LINUX_I686_TRIPLET} compilers or qemu-i386 not found: install "
                      "g++-i686-linux-gnu and qemu-user (make deps does).")
endif()
# The C compiler assembles the .S files.
set(CMAKE_C_COMPILER ${LINUX_I686_CC})
set(CMAKE_CXX_COMPILER ${LINUX_I686_CXX})

set(CMAKE_FIND_ROOT_PATH ${LINUX_I686_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Linked statically: dynamically, the cross root's loader would take the machine's own i386
# C library (which 32-bit Wine brings) from the loader cache, and that mixed pair hangs in fork.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# -L: qemu looks for the files a program opens, a loader first, under the cross root before
# the machine's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${LINUX_I686_QEMU} -L ${LINUX_I686_ROOT})
