# Installing the program on Windows: `cmake --install <build> --prefix <folder>`
# puts quorvell.exe at the top of <folder> with everything it needs beside it
# (Qt's libraries and platform plugins through windeployqt, the compiler's
# runtime), so the folder runs on a machine without Qt or a compiler, and can
# be zipped as it is. Elsewhere the function does nothing.
#
#   quorvell_windows_deploy(quorvell)
function(quorvell_windows_deploy target)
  if(NOT WIN32)
    return()
  endif()

  install(TARGETS ${target} RUNTIME DESTINATION .)

  # MSVC's runtime DLLs (vcruntime, msvcp) beside the program.
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
  set(CMAKE_INSTALL_UCRT_LIBRARIES TRUE)
  include(InstallRequiredSystemLibraries)

  # windeployqt comes with Qt, in the same bin folder as qmake.
  set(qt_bins "")
  if(DEFINED QT6_INSTALL_PREFIX AND DEFINED QT6_INSTALL_BINS)
    list(APPEND qt_bins "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
  endif()
  if(TARGET Qt6::qmake)
    get_target_property(qmake Qt6::qmake IMPORTED_LOCATION)
    if(qmake)
      get_filename_component(qmake_dir "${qmake}" DIRECTORY)
      list(APPEND qt_bins "${qmake_dir}")
    endif()
  endif()
  if(TARGET Qt6::windeployqt)
    get_target_property(windeployqt Qt6::windeployqt IMPORTED_LOCATION)
  endif()
  if(NOT windeployqt)
    find_program(QUORVELL_WINDEPLOYQT NAMES windeployqt windeployqt6 HINTS ${qt_bins})
    set(windeployqt "${QUORVELL_WINDEPLOYQT}")
  endif()
  if(NOT windeployqt)
    message(WARNING "windeployqt not found beside Qt (${qt_bins}): `cmake --install` will "
      "install ${target} without the Qt libraries it needs")
    return()
  endif()

  # Run at install time on the installed copy, so the libraries land in the
  # install folder and not in the build folder. Qt's own translations are
  # left out: the program's texts are its own and in English.
  install(CODE "
    set(exe \"\${CMAKE_INSTALL_PREFIX}/$<TARGET_FILE_NAME:${target}>\")
    message(STATUS \"Bundling Qt beside \${exe}\")
    execute_process(
      COMMAND \"${windeployqt}\" $<IF:$<CONFIG:Debug>,--debug,--release>
              --no-translations --no-system-d3d-compiler --no-opengl-sw
              --dir \"\${CMAKE_INSTALL_PREFIX}\" \"\${exe}\"
      RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR \"windeployqt failed (\${result}) for \${exe}\")
    endif()
  ")
endfunction()
