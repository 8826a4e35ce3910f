# CPack runs this after it has made the ZIP (CPACK_POST_BUILD_SCRIPTS) and packs the staged
# files again: CPack takes the entries in the order the file system lists them, with the
# files' times (access and change times too), the packing user's ids and times in local time.
foreach(zip IN LISTS CPACK_PACKAGE_FILES)
  execute_process(COMMAND ${CPACK_TOLVARENKIS_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/zip_folder.py
                          ${CPACK_TEMPORARY_DIRECTORY} ${zip} ${CPACK_TOLVARENKIS_SOURCE_DATE}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
