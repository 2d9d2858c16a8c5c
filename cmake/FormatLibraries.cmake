# The format libraries: for the workbook reader, libzip unpacks a workbook's
# zip archive, pugixml parses its XML parts. Found here, at the top, so
# that the reader's target and its tests see the same imported targets.
# For Windows both are static libraries that scripts/build-windows builds
# from Debian's sources.
if(WIN32)
  # libzip's static package names ZLIB::ZLIB without looking for it, and
  # its header declares every function as imported from a DLL unless told
  # otherwise.
  find_package(ZLIB REQUIRED)
endif()
# (Debian's libzip-dev names libzip's three programs in its CMake package:
# scripts/install-deps installs them, zipcmp, zipmerge and ziptool.)
find_package(libzip REQUIRED)
find_package(pugixml REQUIRED)
if(WIN32)
  set_property(TARGET libzip::zip APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS ZIP_STATIC)
endif()

# xxHash names the contents the project history keeps. Used header-only
# (XXH_INLINE_ALL), so only its header is looked for: Debian's
# libxxhash-dev, for Windows the copy scripts/build-windows installs.
find_path(XXHASH_INCLUDE_DIR xxhash.h REQUIRED)
add_library(xxHash::inline INTERFACE IMPORTED)
target_include_directories(xxHash::inline SYSTEM INTERFACE "${XXHASH_INCLUDE_DIR}")
