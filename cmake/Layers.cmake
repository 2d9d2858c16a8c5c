# Which folders a target may include. Each library target gets an include
# root of its own in the build folder, holding links to exactly the folders
# it may include (its own and those of the layers below it). An #include
# "folder/File.h" of a folder above the target's layer finds no file and
# fails to compile; cmake/CheckLayers.cmake, run by ctest, also catches
# includes the compiler cannot see (a header no target compiles, a path
# with "..", a window-system header in the core).
#
#   morawin_target_folders(morawin_panel data panel)
function(morawin_target_folders target)
  set(root ${PROJECT_BINARY_DIR}/include-roots/${target})
  file(MAKE_DIRECTORY ${root})
  foreach(folder IN LISTS ARGN)
    if(NOT IS_SYMLINK ${root}/${folder})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
