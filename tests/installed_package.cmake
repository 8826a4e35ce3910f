# Installs the build tree into a folder of its own and builds tests/consumer against that
# installation with the same toolchain, as a host's developer would; the C example of
# docs/hosts.md is cut out of the page and built with it.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -DTOOLCHAIN=... -DGENERATOR=...
#         -DMAKE_PROGRAM=... -P installed_package.cmake
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                COMMAND_ERROR_IS_FATAL ANY)

foreach(file bin/Tolvarenkis.dll lib/libTolvarenkis.dll.a lib/Tolvarenkis.def
             include/Tolvarenkis.h include/Tolvarenkis.pas include/Tolvarenkis.bas
             include/tolvarenkis.py include/Tolvarenkis.ahk include/Tolvarenkis.au3 lib/cmake/Tolvarenkis/TolvarenkisConfig.cmake
             lib/pkgconfig/tolvarenkis.pc share/doc/Tolvarenkis/CHANGELOG.md)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "the installation lacks ${file}")
  endif()
endforeach()

# The page's first C block.
include(${CMAKE_CURRENT_LIST_DIR}/doc_code.cmake)
doc_code(${SOURCE_DIR}/docs/hosts.md c ${WORK_DIR}/hosts_example.c 1)

execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/consumer -B ${WORK_DIR}/build
                        -G ${GENERATOR} -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM}
                        -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_BUILD_TYPE=Release
                        -DTolvarenkis_DIR=${prefix}/lib/cmake/Tolvarenkis
                        -DHOSTS_EXAMPLE=${WORK_DIR}/hosts_example.c
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build COMMAND_ERROR_IS_FATAL ANY)
