# The layer check itself: a small source tree with one include of each kind
# the check must refuse, and one it must accept.
#   cmake -DCHECK=<CheckLayers.cmake> -DWORK=<scratch folder> -P CheckLayersTest.cmake
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/data/model/Upward.cpp "#include \"data/model/Upward.h\"\n#include \"panel/PanelProject.h\"\n")
file(WRITE ${WORK}/convert/Engine.cpp "#include <vector>\n#include <wx/string.h>\n")
file(WRITE ${WORK}/convert/dialogs/Dialog.cpp "#include <wx/dialog.h>\n#include \"gui/WxText.h\"\n")
file(WRITE ${WORK}/cli/Tool.cpp "  #  include \"app/frames/MainFrame.h\"\n#include <nlohmann/json.hpp>\n")
file(WRITE ${WORK}/app/Relative.cpp "#include \"../data/text/Charset.h\"\n")
file(WRITE ${WORK}/tests/Fine.cpp "#include \"app/frames/MainFrame.h\"\n#include <wx/frame.h>\n#include <nlohmann/json.hpp>\n")

execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} -P ${CHECK}
                RESULT_VARIABLE result ERROR_VARIABLE output OUTPUT_VARIABLE output)
string(REGEX REPLACE "[ \t\n]+" " " output "${output}")
set(expected
  "data/model/Upward.cpp: includes \"panel/PanelProject.h\", above its layer data/"
  "convert/Engine.cpp: includes the window-system header <wx/string.h> in convert/"
  "cli/Tool.cpp: includes \"app/frames/MainFrame.h\", above its layer cli/"
  "cli/Tool.cpp: includes <nlohmann/json.hpp>, a library of the tests only"
  "app/Relative.cpp: includes \"../data/text/Charset.h\" by a path with \"..\"")
set(failed "")
if(result EQUAL 0)
  set(failed "the check passed a tree with upward includes")
endif()
foreach(line IN LISTS expected)
  string(FIND "${output}" "${line}" at)
  if(at EQUAL -1)
    string(APPEND failed "\nnot reported: ${line}")
  endif()
endforeach()
foreach(accepted "Dialog.cpp" "Fine.cpp" "Upward.h")
  string(FIND "${output}" "${accepted}" at)
  if(NOT at EQUAL -1)
    string(APPEND failed "\nreported although allowed: ${accepted}")
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "${failed}\noutput: ${output}")
endif()
