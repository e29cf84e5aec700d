# Cross-compiles for 32-bit Windows with the MinGW-w64 posix-threads compilers.
# The 32-bit build is compiled to prove the fixed 32-bit record layouts; it cannot run here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOVIX_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
