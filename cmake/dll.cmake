# Tolvarenkis.dll: the module linked with no runtime library at all, so that it imports from
# KERNEL32.dll and USER32.dll only; the exports come from the .def file.
# The same sources make both products, told apart by their platform name: win32 for 32-bit
# hosts, win64 for 64-bit ones.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(TOLVARENKIS_PLATFORM win32)
  set(TOLVARENKIS_BUILD "32-bit (x86)")
  set(TOLVARENKIS_OTHER_PLATFORM win64)
  set(TOLVARENKIS_OTHER_BUILD 64-bit)
  set(TOLVARENKIS_DEF ${PROJECT_SOURCE_DIR}/module/Tolvarenkis.def)
  set(TOLVARENKIS_ENTRY _DllEntry@12)
else()
  set(TOLVARENKIS_PLATFORM win64)
  set(TOLVARENKIS_BUILD "64-bit (x86-64)")
  set(TOLVARENKIS_OTHER_PLATFORM win32)
  set(TOLVARENKIS_OTHER_BUILD 32-bit)
  # 64-bit Windows has one calling convention and no stdcall decorations.
  file(READ ${PROJECT_SOURCE_DIR}/module/Tolvarenkis.def def_text)
  string(REGEX REPLACE "@[0-9]+ @" " @" def_text "${def_text}")
  set(TOLVARENKIS_DEF ${CMAKE_BINARY_DIR}/Tolvarenkis.def)
  file(CONFIGURE OUTPUT ${TOLVARENKIS_DEF} CONTENT "${def_text}" @ONLY)
  set(TOLVARENKIS_ENTRY DllEntry)
endif()

# The one time written into what the build makes (the time stamps of the PE headers and the
# export directory, the ZIP's entries), so that the same sources give the same bytes wherever
# and whenever they are built: SOURCE_DATE_EPOCH when set, else the last commit's, else a fixed one.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(TOLVARENKIS_SOURCE_DATE $ENV{SOURCE_DATE_EPOCH})
  if(NOT TOLVARENKIS_SOURCE_DATE MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is no number of seconds: ${TOLVARENKIS_SOURCE_DATE}")
  endif()
else()
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE TOLVARENKIS_SOURCE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT TOLVARENKIS_SOURCE_DATE MATCHES "^[0-9]+$")
    set(TOLVARENKIS_SOURCE_DATE 1767225600) # 2026-01-01 00:00:00 UTC
  endif()
endif()
# ld writes the time of the link unless SOURCE_DATE_EPOCH names one; every program linked
# from here on, the DLL's hosts too, gets it.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${TOLVARENKIS_SOURCE_DATE})

add_library(Tolvarenkis SHARED module/entry.cpp ${TOLVARENKIS_DEF})
set_target_properties(Tolvarenkis PROPERTIES PREFIX "" OUTPUT_NAME Tolvarenkis)
target_compile_options(Tolvarenkis PRIVATE ${TOLVARENKIS_WARNINGS} ${TOLVARENKIS_BARE})
target_include_directories(Tolvarenkis PRIVATE ${PROJECT_SOURCE_DIR})
target_link_options(Tolvarenkis PRIVATE -nostdlib -s -Wl,--entry,${TOLVARENKIS_ENTRY}
  -Wl,--kill-at -Wl,--dynamicbase -Wl,--nxcompat)
# The whole of the module's library, the diagnostic routines too, though no export calls them.
target_link_libraries(Tolvarenkis PRIVATE $<LINK_LIBRARY:WHOLE_ARCHIVE,tolvarenkis_module>
  kernel32 user32 gcc)

# The version resource takes its numbers from project(), as Dll_Info does. It is compiled on
# its own so that the C++ options above do not reach windres.
enable_language(RC)
set(TOLVARENKIS_AUTHORS "the Tolvarenkis developers")
set(TOLVARENKIS_COPYRIGHT "Copyright (C) 2026 ${TOLVARENKIS_AUTHORS}; zlib license")
configure_file(${PROJECT_SOURCE_DIR}/module/Tolvarenkis.rc.in ${CMAKE_BINARY_DIR}/Tolvarenkis.rc @ONLY)
add_library(tolvarenkis_version OBJECT ${CMAKE_BINARY_DIR}/Tolvarenkis.rc)
target_sources(Tolvarenkis PRIVATE $<TARGET_OBJECTS:tolvarenkis_version>)
# ld would name the import symbols without their stdcall decorations; hosts that declare the
# exports WINAPI link against the decorated ones, so dlltool writes the import library.
# It names its members and symbols after the path given with -l: a bare file name keeps the
# build folder out of the library and of the programs linked with it.
add_custom_command(TARGET Tolvarenkis POST_BUILD
  COMMAND ${CMAKE_DLLTOOL} --kill-at -d ${TOLVARENKIS_DEF} -D Tolvarenkis.dll
          -l $<TARGET_LINKER_FILE_NAME:Tolvarenkis>
  WORKING_DIRECTORY $<TARGET_LINKER_FILE_DIR:Tolvarenkis>
  VERBATIM)

include(GNUInstallDirs)
install(TARGETS Tolvarenkis EXPORT TolvarenkisTargets
                            RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
                            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
                            INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# The declarations for each host language, side by side.
install(FILES ${PROJECT_SOURCE_DIR}/include/Tolvarenkis.h ${PROJECT_SOURCE_DIR}/include/Tolvarenkis.pas
              ${PROJECT_SOURCE_DIR}/include/Tolvarenkis.bas ${PROJECT_SOURCE_DIR}/include/tolvarenkis.py
              ${PROJECT_SOURCE_DIR}/include/Tolvarenkis.ahk ${PROJECT_SOURCE_DIR}/include/Tolvarenkis.au3
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# Other toolchains make their own import library from the .def (docs/hosts.md tells how).
install(FILES ${TOLVARENKIS_DEF} DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/hosts.md
              ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# And at the top of the ZIP, where the one who unpacks it looks first.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
# The .pc finds its prefix two folders above its own, lib/pkgconfig.
configure_file(${PROJECT_SOURCE_DIR}/cmake/tolvarenkis.pc.in ${CMAKE_BINARY_DIR}/tolvarenkis.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/tolvarenkis.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# find_package(Tolvarenkis) gives the imported target Tolvarenkis::Tolvarenkis.
include(CMakePackageConfigHelpers)
set(TOLVARENKIS_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Tolvarenkis)
install(EXPORT TolvarenkisTargets NAMESPACE Tolvarenkis:: DESTINATION ${TOLVARENKIS_CMAKE_DIR})
# The version file refuses a project of another major version or of the other pointer size,
# and tells the latter which package it needs.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/TolvarenkisVersionCheck.cmake
                                 COMPATIBILITY SameMajorVersion)
file(READ ${CMAKE_BINARY_DIR}/TolvarenkisVersionCheck.cmake TOLVARENKIS_VERSION_CHECK)
configure_file(${PROJECT_SOURCE_DIR}/cmake/TolvarenkisConfigVersion.cmake.in
               ${CMAKE_BINARY_DIR}/TolvarenkisConfigVersion.cmake @ONLY)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/TolvarenkisConfig.cmake
              ${CMAKE_BINARY_DIR}/TolvarenkisConfigVersion.cmake
        DESTINATION ${TOLVARENKIS_CMAKE_DIR})

# make dist: the installed layout as a ZIP.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_VENDOR ${TOLVARENKIS_AUTHORS})
set(CPACK_PACKAGE_FILE_NAME Tolvarenkis-${PROJECT_VERSION}-${TOLVARENKIS_PLATFORM})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
find_package(Python3 3.7 REQUIRED COMPONENTS Interpreter)
set(CPACK_TOLVARENKIS_PYTHON ${Python3_EXECUTABLE})
set(CPACK_TOLVARENKIS_SOURCE_DATE ${TOLVARENKIS_SOURCE_DATE})
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/zip.cmake)
include(CPack)
