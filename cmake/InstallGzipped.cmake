# Installs a text file compressed, as Debian wants manual pages and
# changelogs: `source` is first configured (@MORAWIN_VERSION@ and the like;
# with COPYONLY copied as it is), then compressed without a time stamp, so
# that the package is the same on every build.
function(morawin_install_gzipped source name destination)
  set(configured ${CMAKE_CURRENT_BINARY_DIR}/${name})
  if(ARGV3 STREQUAL "COPYONLY")
    configure_file(${source} ${configured} COPYONLY)
  else()
    configure_file(${source} ${configured} @ONLY)
  endif()
  add_custom_command(OUTPUT ${configured}.gz
    COMMAND gzip -9 -n -c ${configured} > ${configured}.gz
    DEPENDS ${configured})
  string(MAKE_C_IDENTIFIER "gzip_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${configured}.gz)
  install(FILES ${configured}.gz DESTINATION ${destination})
endfunction()
