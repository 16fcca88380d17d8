# Packs a built Release kvoro.exe: refuses a program above 1 MiB, copies it to
# OUT_DIR and makes the installer MSI from WXS with wixl.
# cmake -DEXE= -DOUT_DIR= -DMSI= -DWIXL= -DWXS= -DICON= -DVERSION= -DVENDOR= -P make_release.cmake
set(limit 1048576)
file(SIZE ${EXE} exe_size)
if(exe_size GREATER limit)
  message(FATAL_ERROR "The Release kvoro.exe has ${exe_size} bytes, more than 1 MiB (${limit})")
endif()
file(MAKE_DIRECTORY ${OUT_DIR})
configure_file(${EXE} ${OUT_DIR}/kvoro.exe COPYONLY)

# wixl takes the files it packs as paths relative to its working folder.
file(RELATIVE_PATH icon ${OUT_DIR} ${ICON})
execute_process(
  COMMAND ${WIXL} -a x64 -D Version=${VERSION} -D Vendor=${VENDOR} -D ExeFile=kvoro.exe
          -D IconFile=${icon} -o ${MSI} ${WXS}
  WORKING_DIRECTORY ${OUT_DIR}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wixl could not make ${MSI}")
endif()
file(SIZE ${MSI} msi_size)
message(STATUS "kvoro.exe: ${exe_size} bytes; ${MSI}: ${msi_size} bytes")
