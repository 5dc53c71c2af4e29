# Cross toolchain: Debian's mingw-w64, posix-thread variant (the win32-thread variant
# has no std::mutex/std::thread, which the test framework and our workers need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VX_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${VX_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VX_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${VX_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VX_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test executables run under Wine, each in a private prefix copied from a template.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine/wine-test.sh)
