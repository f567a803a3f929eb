# Cross-compiles for 64-bit Windows with the MinGW-w64 "posix" thread model:
# the default "win32" model's libstdc++ has no std::thread or std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

# Dependencies we cross-build ourselves live in a prefix beside the sysroot.
if(DEFINED ENV{THERMADEX_DEPS_PREFIX})
  set(THERMADEX_DEPS_PREFIX "$ENV{THERMADEX_DEPS_PREFIX}" CACHE PATH "Cross-built dependencies")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE} ${THERMADEX_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
