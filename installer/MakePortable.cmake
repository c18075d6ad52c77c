# Builds a portable zip: cmake -DBIN=<build>/bin -DVERSION=x.y.z -DARCH=x64 -DREADME=<template>
#                              -DSTAGE=<folder> -DOUTPUT=<zip> -P MakePortable.cmake
# The zip holds one folder named after the package, with the files the program loads beside it.
foreach(variable BIN VERSION ARCH README STAGE OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "${variable} is not defined")
  endif()
endforeach()

get_filename_component(top "${OUTPUT}" NAME_WLE)
set(root "${STAGE}/${top}")
file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${root}/Languages")
foreach(name KelpraTremvale.exe XALSetIPSettings.exe XALCBTH.DLL XALCWPH.DLL)
  if(NOT EXISTS "${BIN}/${name}")
    message(FATAL_ERROR "${BIN}/${name} is missing: build the Windows program first")
  endif()
  file(COPY "${BIN}/${name}" DESTINATION "${root}")
endforeach()
file(COPY "${BIN}/Languages/1033.txt" "${BIN}/Languages/1041.txt" DESTINATION "${root}/Languages")
configure_file("${README}" "${root}/README-portable.txt" @ONLY NEWLINE_STYLE CRLF)

file(REMOVE "${OUTPUT}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${OUTPUT}" --format=zip "${top}"
                WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "could not write ${OUTPUT}")
endif()
