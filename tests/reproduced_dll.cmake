# Builds the DLL target again in another folder and compares what it makes with the build's:
# the same sources and time give the same bytes wherever and whenever they are built.
set(WORK_DIR ${BUILD_DIR}/reproduced)
file(REMOVE_RECURSE ${WORK_DIR})
# The time reaches the configure step alone: the links must take it from there.
execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${SOURCE_DATE}
                        ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR} -G ${GENERATOR}
                        -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM} -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}
                        -DCMAKE_BUILD_TYPE=Release -DTOLVARENKIS_TESTS=OFF
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR} --target Tolvarenkis
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
foreach(name Tolvarenkis.dll libTolvarenkis.dll.a)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${BUILD_DIR}/${name}
                          ${WORK_DIR}/${name} RESULT_VARIABLE differs)
  if(differs)
    message(SEND_ERROR "${name} built in ${WORK_DIR} differs from the one in ${BUILD_DIR}")
  endif()
endforeach()
