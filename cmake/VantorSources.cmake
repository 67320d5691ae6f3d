# Collects the .cpp files of the given top-level folders (recursively) into VAR.
function(vantor_glob VAR)
  set(result)
  foreach(dir ${ARGN})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND result ${found})
  endforeach()
  set(${VAR} ${result} PARENT_SCOPE)
endfunction()
