# The distribution's hardening flags (fortified functions, stack protector,
# read-only relocations bound at start, position-independent executables)
# for release builds of everything that ends up in the programs. The flags
# come from dpkg-buildflags, so they follow what the distribution asks for;
# where it is missing (or for Windows) nothing is added.
#
# Reproducible-build path mapping is left out on purpose: it would put the
# build folder into every compile line and keep the compiler cache from
# sharing objects between checkouts.
function(morawin_add_hardening_flags)
  if(WIN32)
    return()
  endif()
  find_program(DPKG_BUILDFLAGS dpkg-buildflags)
  if(NOT DPKG_BUILDFLAGS)
    message(STATUS "dpkg-buildflags not found: release builds are not hardened")
    return()
  endif()
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env
              "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath,-fixdebugpath"
              ${DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(WARNING "dpkg-buildflags --get ${kind} failed: release builds are not hardened")
      return()
    endif()
    separate_arguments(value UNIX_COMMAND "${value}")
    # Optimisation and debug information stay with the build type.
    list(FILTER value EXCLUDE REGEX "^-(O[0-9s]?|g)$")
    set(${kind} ${value})
  endforeach()
  set(release "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
  foreach(flag IN LISTS CPPFLAGS CXXFLAGS)
    add_compile_options("$<${release}:${flag}>")
  endforeach()
  foreach(flag IN LISTS LDFLAGS)
    add_link_options("$<${release}:${flag}>")
  endforeach()
  message(STATUS "Hardening flags for release builds: ${CPPFLAGS} ${CXXFLAGS} ${LDFLAGS}")
endfunction()
