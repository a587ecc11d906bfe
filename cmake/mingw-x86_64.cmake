# Cross build for 64-bit Windows with MinGW-w64: the test build for machines
# whose Wine cannot run 32-bit programs (scripts/test.sh). The shipped
# programs are the i686 build's (mingw-i686.cmake); this one builds the same
# code and tests as x86_64 PE programs for 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
