# `cmake --install` lays out the folder a user gets (dist/Thermadex by the
# presets): the program, the toolkit, hidapi, the C++ runtime and the skins.
set(THERMADEX_DIST_TARGETS Lumo)
if(TARGET Thermadex)
  list(APPEND THERMADEX_DIST_TARGETS Thermadex)
endif()
install(TARGETS ${THERMADEX_DIST_TARGETS} RUNTIME DESTINATION . COMPONENT app LIBRARY DESTINATION . COMPONENT app)
install(FILES ${THERMADEX_DEPS_PREFIX}/bin/hidapi.dll ${THERMADEX_STRIPPED_RUNTIME} DESTINATION . COMPONENT app)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/skins/ DESTINATION skins COMPONENT app)
