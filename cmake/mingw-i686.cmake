# 32-bit Windows, the program's first home.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ZAMTIK_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
