# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix thread
# model, for std::thread and std::mutex). Tests run through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MORAWIN_MINGW_HOST x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MORAWIN_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MORAWIN_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${MORAWIN_MINGW_HOST}-windres)

# wxWidgets and the format libraries (libzip, pugixml, xxHash) for Windows live in
# prefixes of their own (scripts/build-windows passes them as
# MORAWIN_WX_PREFIX and MORAWIN_FORMAT_PREFIX): headers, libraries,
# packages and wx-config are searched there as well.
set(CMAKE_FIND_ROOT_PATH /usr/${MORAWIN_MINGW_HOST} ${MORAWIN_WX_PREFIX} ${MORAWIN_FORMAT_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(MORAWIN_WINE wine)
if(MORAWIN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${MORAWIN_WINE})
endif()
