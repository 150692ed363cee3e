# Cross build for 64-bit Windows with Debian's mingw-w64 (posix thread model,
# which std::thread and std::mutex in GoogleTest need). The executables run
# under Wine, so CTest and gtest_discover_tests go through it too.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUORVELL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUORVELL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVELL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORVELL_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORVELL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# GCC 12's libstdc++ trips -Wrestrict on std::string concatenation at -O3
# (GCC bug 105651), a false alarm that -Werror would turn into a failed build.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")

# The test programs must run from the build folder under Wine without the
# compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# zlib (Debian's libz-mingw-w64-dev, under CMAKE_FIND_ROOT_PATH) is linked in
# from libz.a for the same reason: no zlib1.dll has to travel with the programs.
set(ZLIB_USE_STATIC_LIBS ON)

find_program(QUORVELL_WINE NAMES wine wine64)
if(QUORVELL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVELL_WINE})
endif()
