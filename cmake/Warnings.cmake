# Every target of ours builds with the same warnings. They are errors in the
# presets and in the test command (QUORVELL_WERROR); a plain build with another
# compiler, or a newer one with new warnings, still builds.
option(QUORVELL_WERROR "Treat compiler warnings as errors" OFF)

function(quorvell_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8)
    if(QUORVELL_WERROR)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
      -Wconversion -Wno-sign-conversion)
    if(QUORVELL_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()
