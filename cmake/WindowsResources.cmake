# Icon, version information (from the project's one version number) and
# application manifest for a Windows program. `extra` is put at the top of
# the resource script (the desktop program includes wx's own resources).
function(morawin_windows_resources target description extra)
  set(MORAWIN_RC_NAME ${target})
  set(MORAWIN_RC_FILE ${target}.exe)
  set(MORAWIN_RC_DESCRIPTION "${description}")
  set(MORAWIN_RC_EXTRA "${extra}")
  set(MORAWIN_RC_ICON ${PROJECT_SOURCE_DIR}/app/res/icons/morawin.ico)
  set(MORAWIN_RC_MANIFEST ${PROJECT_SOURCE_DIR}/app/res/morawin.manifest)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/app/res/program.rc.in ${script} @ONLY)
  target_sources(${target} PRIVATE ${script})
endfunction()
