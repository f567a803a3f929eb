# Warnings are errors in our own code; third-party code is built elsewhere.
function(thermadex_strict target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  endif()
endfunction()

# Native builds of the platform-free logic run under AddressSanitizer and
# UndefinedBehaviorSanitizer when asked.
option(THERMADEX_SANITIZE "Build the native configuration with ASan and UBSan" OFF)
if(THERMADEX_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
option(THERMADEX_FUZZ "Build libFuzzer targets (native clang only)" OFF)
