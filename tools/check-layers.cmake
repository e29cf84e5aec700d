# The framework's layering check: a file in framework/<layer>/ may include headers of its own
# layer and of the layers below it, never of a layer above, and reaches other layers through their
# folders (the unit headers at the top of framework/ are for code outside the framework).
#
#   cmake -DROOT=<folder holding framework/> -P tools/check-layers.cmake
#
# Fails (and names every offending line) when a rule is broken.

# The layers, bottom up: each stands on the ones before it.
set(LAYERS system classes registry comobj graphics controls forms stdctrls dialogs design link)

# Files of the controls layer that reach up to the forms layer on purpose: a control tells the
# application object when it is destroyed, hands it exceptions that leave its window procedure and
# the mouse messages that drive hints, and asks the form it sits on to move the focus or to tell
# its active control that the mode was cancelled; a popup
# menu without a window of its own uses the application's. Only these sources, never a header.
set(EXCEPTIONS
  "controls/Control.cpp -> forms/Application.h"
  "controls/Control.cpp -> forms/Form.h"
  "controls/WinControl.cpp -> forms/Form.h"
  "controls/Menus.cpp -> forms/Application.h"
  "controls/WinControl.cpp -> forms/Application.h")

if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source folder> -P check-layers.cmake")
endif()

set(problems "")
file(GLOB_RECURSE files RELATIVE ${ROOT}/framework ${ROOT}/framework/*/*.h ${ROOT}/framework/*/*.cpp)
foreach(file IN LISTS files)
  string(REGEX MATCH "^[^/]+" layer "${file}")
  list(FIND LAYERS ${layer} own)
  if(own EQUAL -1)
    string(APPEND problems "\n  framework/${file}: folder '${layer}' is not a layer (add it to LAYERS)")
    continue()
  endif()
  file(STRINGS ${ROOT}/framework/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"framework/")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE ".*\"framework/([^\"]+)\".*" "\\1" included "${line}")
    if(NOT included MATCHES "/")
      string(APPEND problems "\n  framework/${file}: includes the unit header framework/${included}; include the layer's own header")
      continue()
    endif()
    string(REGEX MATCH "^[^/]+" target "${included}")
    list(FIND LAYERS ${target} other)
    if(other GREATER own)
      list(FIND EXCEPTIONS "${file} -> ${included}" allowed)
      if(allowed EQUAL -1)
        string(APPEND problems "\n  framework/${file}: layer '${layer}' includes framework/${included} of layer '${target}' above it")
      endif()
    endif()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Layering broken:${problems}")
endif()
list(LENGTH files count)
message(STATUS "Layering holds for ${count} framework files")
