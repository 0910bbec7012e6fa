# 64-bit Windows; this is the build that runs under wine64 in the tests.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(ZAMTIK_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
