# GoogleTest for the mingw-w64 cross build: there is no Windows build of it to
# find, so it is compiled here from Debian's googletest sources with the same
# compiler. Its own targets bring the GTest::gtest, GTest::gtest_main and
# GTest::gmock names that the tests link against.
set(QUORVELL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
if(NOT EXISTS ${QUORVELL_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${QUORVELL_GOOGLETEST_SOURCE} "
    "(Debian package googletest)")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${QUORVELL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
