# Cross-building for 64-bit Windows with Debian's MinGW-w64 compilers. The "-posix" flavour
# gives the standard library its threads; the runtime is linked in statically, so the programs
# run on a bare Windows (or under Wine) without any of MinGW's DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VEZAZ_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VEZAZ_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEZAZ_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VEZAZ_MINGW_TRIPLET}-windres)

# Keeps prefixes given on the command line, such as that of a cross-built GoogleTest.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${VEZAZ_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests and test discovery run the .exe files through Wine.
find_program(VEZAZ_WINE NAMES wine64 wine)
if(VEZAZ_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VEZAZ_WINE})
endif()
