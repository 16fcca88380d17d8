# Fails when the program imports one of the delay-loaded libraries directly
# (a function of it is missing from cmake/delay/<dll>.def).
# cmake -DEXE=<program> -DOBJDUMP=<objdump> -DDLLS=<dll;...> -P check_delay_load.cmake
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${EXE}")
endif()
string(TOLOWER "${headers}" headers)
foreach(dll IN LISTS DLLS)
  if(headers MATCHES "dll name: ${dll}\\.dll")
    message(FATAL_ERROR "${EXE} imports ${dll}.dll at start: add the functions it calls to cmake/delay/${dll}.def")
  endif()
endforeach()
