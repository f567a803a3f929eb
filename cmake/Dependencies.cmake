# Dependencies cross-built by scripts/bootstrap.sh from Debian's source
# packages, plus Debian's own MinGW zlib.
set(THERMADEX_DEPS_PREFIX "${PROJECT_SOURCE_DIR}/.deps/mingw" CACHE PATH "Cross-built dependencies")
list(APPEND CMAKE_FIND_ROOT_PATH ${THERMADEX_DEPS_PREFIX})
list(APPEND CMAKE_PREFIX_PATH ${THERMADEX_DEPS_PREFIX})

if(NOT EXISTS ${THERMADEX_DEPS_PREFIX}/bin/hidapi.dll)
  message(FATAL_ERROR "Dependencies missing in ${THERMADEX_DEPS_PREFIX}: run scripts/bootstrap.sh first")
endif()

# hidapi is linked at load time as hidapi.dll so that it can be serviced on its own.
add_library(hidapi SHARED IMPORTED GLOBAL)
set_target_properties(hidapi PROPERTIES
  IMPORTED_LOCATION ${THERMADEX_DEPS_PREFIX}/bin/hidapi.dll
  IMPORTED_IMPLIB ${THERMADEX_DEPS_PREFIX}/lib/libhidapi.dll.a
  INTERFACE_INCLUDE_DIRECTORIES ${THERMADEX_DEPS_PREFIX}/include/hidapi)

# zlib is linked statically: Wine ships a zlib1.dll that would hide a missing
# one on a real Windows machine.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)

add_library(minizip STATIC IMPORTED GLOBAL)
set_target_properties(minizip PROPERTIES
  IMPORTED_LOCATION ${THERMADEX_DEPS_PREFIX}/lib/libminizip.a
  INTERFACE_INCLUDE_DIRECTORIES ${THERMADEX_DEPS_PREFIX}/include/minizip
  INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)

find_package(GTest REQUIRED CONFIG)
