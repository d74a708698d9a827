# Fails when the runtime library calls into the window system: none of the
# platform routines its objects import may come from a window library.
# cmake -DNM=… -DLIBRARY=libtf_base.a -DWINDOW_LIBRARIES="libuser32.a;…" -P window_imports.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${NM} -u ${LIBRARY} OUTPUT_VARIABLE used COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${NM} --defined-only ${WINDOW_LIBRARIES} OUTPUT_VARIABLE window
                COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "__imp_[A-Za-z0-9_@]+" used "${used}")
string(REGEX MATCHALL "__imp_[A-Za-z0-9_@]+" window "${window}")
list(REMOVE_DUPLICATES used)
if(NOT used)
  message(FATAL_ERROR "no platform imports found in ${LIBRARY}: the check would prove nothing")
endif()
set(found "")
foreach(symbol IN LISTS used)
  if(symbol IN_LIST window)
    list(APPEND found ${symbol})
  endif()
endforeach()
if(found)
  message(FATAL_ERROR "the runtime library calls the window system: ${found}")
endif()
list(LENGTH used count)
message(STATUS "${count} platform routines imported, none from a window library")
