# wrestool must find exactly the resources the program loads in EXECUTABLE;
# icon images (type 3) have ids the resource compiler picks, so only their number counts.
execute_process(COMMAND ${WRESTOOL} --list ${EXECUTABLE}
  OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wrestool failed (${status}) on ${EXECUTABLE}")
endif()

set(expected
  "24:1" "16:1"                                         # manifest, version
  "4:128" "9:128" "14:128"                              # menu, accelerators, icon group
  "5:100" "5:129" "5:206" "5:211"                       # dialogs
  "2:205" "2:209" "2:210" "2:213"                       # bitmaps
  "AVI:108" "CHM:111"
  "WAVE:101" "WAVE:103" "WAVE:104" "WAVE:105" "WAVE:106")

set(found)
set(icon_images 0)
string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
  if(line MATCHES "--type='?([^' ]+)'? --name='?([^' ]+)'?")
    if(CMAKE_MATCH_1 STREQUAL "3")
      math(EXPR icon_images "${icon_images} + 1")
    else()
      list(APPEND found "${CMAKE_MATCH_1}:${CMAKE_MATCH_2}")
    endif()
  endif()
endforeach()

list(SORT expected)
list(SORT found)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "resources differ\n expected: ${expected}\n found:    ${found}\n${listing}")
endif()
if(NOT icon_images EQUAL 2)
  message(FATAL_ERROR "expected 2 icon images (32 and 48 pixels), found ${icon_images}")
endif()
message(STATUS "${EXECUTABLE}: ${found}, ${icon_images} icon images")
