# Tolvarenkis.dll for a CMake host: the imported target Tolvarenkis::Tolvarenkis carries the
# DLL ($<TARGET_FILE:...>, to copy beside the host), its import library and the include
# directory of Tolvarenkis.h.
include(${CMAKE_CURRENT_LIST_DIR}/TolvarenkisTargets.cmake)
