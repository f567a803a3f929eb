# The shared MinGW C++ runtime ships beside the program and the toolkit, so the
# two modules share one copy of the C++ runtime state. Debian's DLLs carry
# debug information (libstdc++-6.dll is ~24 MB); the shipped copies are stripped.
set(THERMADEX_RUNTIME_DLLS
  ${THERMADEX_MINGW_RUNTIME_DIR}/libstdc++-6.dll
  ${THERMADEX_MINGW_RUNTIME_DIR}/libgcc_s_seh-1.dll
  ${THERMADEX_MINGW_PTHREAD_DIR}/libwinpthread-1.dll)

set(THERMADEX_STRIPPED_RUNTIME_DIR ${PROJECT_BINARY_DIR}/runtime)
set(THERMADEX_STRIPPED_RUNTIME)
foreach(dll ${THERMADEX_RUNTIME_DLLS})
  get_filename_component(name ${dll} NAME)
  set(out ${THERMADEX_STRIPPED_RUNTIME_DIR}/${name})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${THERMADEX_STRIPPED_RUNTIME_DIR}
    COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${out} ${dll}
    DEPENDS ${dll} VERBATIM)
  list(APPEND THERMADEX_STRIPPED_RUNTIME ${out})
endforeach()
add_custom_target(thermadex_runtime ALL DEPENDS ${THERMADEX_STRIPPED_RUNTIME})
