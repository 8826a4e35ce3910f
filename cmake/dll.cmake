# Tolvarenkis.dll: the module linked with no runtime library at all, so that it imports from
# KERNEL32.dll and USER32.dll only; the exports come from the .def file.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(TOLVARENKIS_DEF ${PROJECT_SOURCE_DIR}/module/Tolvarenkis.def)
  set(TOLVARENKIS_ENTRY _DllEntry@12)
else()
  # 64-bit Windows has one calling convention and no stdcall decorations.
  file(READ ${PROJECT_SOURCE_DIR}/module/Tolvarenkis.def def_text)
  string(REGEX REPLACE "@[0-9]+ @" " @" def_text "${def_text}")
  set(TOLVARENKIS_DEF ${CMAKE_BINARY_DIR}/Tolvarenkis.def)
  file(CONFIGURE OUTPUT ${TOLVARENKIS_DEF} CONTENT "${def_text}" @ONLY)
  set(TOLVARENKIS_ENTRY DllEntry)
endif()

add_library(Tolvarenkis SHARED module/entry.cpp ${TOLVARENKIS_DEF})
set_target_properties(Tolvarenkis PROPERTIES PREFIX "" OUTPUT_NAME Tolvarenkis)
target_compile_options(Tolvarenkis PRIVATE ${TOLVARENKIS_WARNINGS} ${TOLVARENKIS_BARE})
target_include_directories(Tolvarenkis PRIVATE ${PROJECT_SOURCE_DIR})
target_link_options(Tolvarenkis PRIVATE -nostdlib -s -Wl,--entry,${TOLVARENKIS_ENTRY}
  -Wl,--kill-at -Wl,--dynamicbase -Wl,--nxcompat)
target_link_libraries(Tolvarenkis PRIVATE tolvarenkis_module kernel32 user32 gcc)
# ld would name the import symbols without their stdcall decorations; hosts that declare the
# exports WINAPI link against the decorated ones, so dlltool writes the import library.
add_custom_command(TARGET Tolvarenkis POST_BUILD
  COMMAND ${CMAKE_DLLTOOL} --kill-at -d ${TOLVARENKIS_DEF} -D Tolvarenkis.dll
          -l $<TARGET_LINKER_FILE:Tolvarenkis>
  VERBATIM)

include(GNUInstallDirs)
install(TARGETS Tolvarenkis RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
                            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/Tolvarenkis.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
