# One static library per top-level folder. Sources are the folder's *.cpp;
# files ending in _win.cpp build only for Windows, _posix.cpp only elsewhere.
function(quorvell_sources out folder)
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
  endif()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

function(quorvell_library target folder)
  quorvell_sources(sources ${folder})
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  quorvell_warnings(${target})
endfunction()
