# Cross-building for 64-bit Windows on Debian with MinGW-w64 (the POSIX-threads flavour, which
# Qt's std::thread and std::mutex need). Programs built with it run on Linux under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORVEL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVEL_MINGW_TRIPLET}-windres)

# Libraries and headers come from the MinGW tree (and Qt's own prefix, added by Qt's
# toolchain file); build tools such as moc come from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ORVEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Try-run checks and CTest run the Windows programs through Wine.
find_program(ORVEL_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(ORVEL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVEL_WINE})
endif()
