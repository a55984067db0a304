# Cross toolchain for the Windows modules; KV_ARCH selects the target (i686 today, x86_64 later).
set(KV_ARCH "i686" CACHE STRING "Target architecture of the Windows modules (i686 or x86_64)")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KV_ARCH})
set(KV_TRIPLE ${KV_ARCH}-w64-mingw32)

# GoogleTest needs the posix thread model of mingw-w64.
set(CMAKE_C_COMPILER ${KV_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KV_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KV_TRIPLE}-windres)
set(CMAKE_STRIP ${KV_TRIPLE}-strip)
set(CMAKE_OBJDUMP ${KV_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${KV_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
