# Fails when a source includes a folder above its own layer, includes by a
# path with "..", when the core or the engine includes a window-system
# header, or when anything but the tests includes a library of the tests.
# Run by ctest:  cmake -DROOT=<source folder> -P CheckLayers.cmake
#
# Each layer and the folders it may include; a file belongs to the longest
# folder that holds it.
set(layers
  "data=data"
  "panel=data,panel"
  "tables=data,tables"
  "history=data,panel,history"
  "convert=data,panel,history,convert"
  "convert/dialogs=data,panel,history,convert,gui"
  "gui=data,gui"
  "cli=data,panel,history,convert,tables,cli"
  "app=data,panel,history,convert,tables,gui,app")
# Where wx may be included: everything else is core, engine or CLI.
set(window_system_layers "convert/dialogs;gui;app")
set(project_folders "data;panel;tables;history;convert;gui;cli;app;tests;fuzz;bench")
# Libraries only the tests use: the JSON library checks the output that
# morawin-cli writes itself.
set(test_only_libraries "nlohmann")

cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "CheckLayers: ROOT is not set")
endif()

set(problems "")
set(checked 0)
foreach(folder IN LISTS project_folders)
  file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  foreach(source IN LISTS sources)
    math(EXPR checked "${checked} + 1")
    # The layer: the longest layer folder that holds the file.
    set(layer "")
    set(allowed "")
    foreach(entry IN LISTS layers)
      string(REGEX REPLACE "=.*$" "" name "${entry}")
      string(LENGTH "${name}" length)
      string(LENGTH "${layer}" best)
      string(FIND "${source}" "${name}/" at)
      if(at EQUAL 0 AND length GREATER best)
        set(layer "${name}")
        string(REGEX REPLACE "^[^=]*=" "" allowed "${entry}")
        string(REPLACE "," ";" allowed "${allowed}")
      endif()
    endforeach()
    file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" target "${line}")
      if(target MATCHES "(^|/)\\.\\.(/|$)")
        list(APPEND problems "${source}: includes \"${target}\" by a path with \"..\"")
        continue()
      endif()
      string(REGEX MATCH "^[^/]*" top "${target}")
      if(top IN_LIST test_only_libraries AND NOT source MATCHES "^tests/")
        list(APPEND problems "${source}: includes <${target}>, a library of the tests only")
        continue()
      endif()
      if(layer STREQUAL "")
        continue()
      endif()
      if(top STREQUAL "wx" AND NOT layer IN_LIST window_system_layers)
        list(APPEND problems "${source}: includes the window-system header <${target}> in ${layer}/")
      elseif(top IN_LIST project_folders AND NOT top IN_LIST allowed)
        list(APPEND problems "${source}: includes \"${target}\", above its layer ${layer}/")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n" text)
  message(FATAL_ERROR "${text}")
endif()
message(STATUS "CheckLayers: ${checked} sources, every include within its layer")
