# Cross build for Windows with mingw-w64; TAMBLO_MINGW_ARCH is i686 (the
# program as it ships) or x86_64 (the tests' build on a machine that runs no
# 32-bit code).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TAMBLO_MINGW_ARCH})

# The posix thread model: GoogleTest needs std::mutex, which gcc 12 lacks
# in the win32 model.
set(CMAKE_C_COMPILER ${TAMBLO_MINGW_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAMBLO_MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${TAMBLO_MINGW_ARCH}-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TAMBLO_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
