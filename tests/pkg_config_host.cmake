# Moves an installed package to a folder of its own and builds tests/pkg_config_host.c against
# it with the compiler's and the linker's options that pkg-config reads from its
# lib/pkgconfig/tolvarenkis.pc, as a host without CMake would; the DLL goes beside the program.
#   cmake -DPKG_CONFIG=... -DCC=... -DPREFIX=... -DWORK_DIR=... -DSOURCE=... -DVERSION=...
#         -P pkg_config_host.cmake
file(REMOVE_RECURSE ${WORK_DIR})
set(package ${WORK_DIR}/moved)
file(COPY ${PREFIX}/ DESTINATION ${package})

# Only the package's .pc files, none of the machine's.
set(ENV{PKG_CONFIG_LIBDIR} ${package}/lib/pkgconfig)
unset(ENV{PKG_CONFIG_PATH})
execute_process(COMMAND ${PKG_CONFIG} --modversion tolvarenkis OUTPUT_VARIABLE version
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
if(NOT version STREQUAL VERSION)
  message(FATAL_ERROR "tolvarenkis.pc gives version ${version}, not ${VERSION}")
endif()
execute_process(COMMAND ${PKG_CONFIG} --cflags --libs tolvarenkis OUTPUT_VARIABLE flags
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "pkg-config --cflags --libs tolvarenkis: ${flags}")
separate_arguments(flags UNIX_COMMAND "${flags}")
foreach(flag ${flags})
  if(flag MATCHES "^-[IL](.*)" AND NOT CMAKE_MATCH_1 MATCHES "^${package}/")
    message(FATAL_ERROR "tolvarenkis.pc names a folder outside the moved package: ${flag}")
  endif()
endforeach()
# Not -static: ld would then take only a static libTolvarenkis.a for -lTolvarenkis.
execute_process(COMMAND ${CC} -Wall -Wextra -Wpedantic -Werror -o ${WORK_DIR}/pkg_config_host.exe
                        ${SOURCE} ${flags} -static-libgcc
                COMMAND_ERROR_IS_FATAL ANY)
file(COPY ${package}/bin/Tolvarenkis.dll DESTINATION ${WORK_DIR})
