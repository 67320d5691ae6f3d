# Makes the release package from a built tree and checks what it holds:
#   cmake -DBUILD=<build folder> -DOBJDUMP=<objdump> -P cmake/CheckPackage.cmake
# Exactly the program, its sounds, the practice client and the text, in one folder; the programs
# stripped of their symbols.
set(out ${BUILD}/package-check)
file(REMOVE_RECURSE ${out})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config ${BUILD}/CPackConfig.cmake -B ${out}
                RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${log}")
endif()
set(zip ${out}/vantor-2.0-win64.zip)
if(NOT EXISTS ${zip})
  message(FATAL_ERROR "no ${zip}:\n${log}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" listing "${listing}")
list(FILTER listing EXCLUDE REGEX "/$")  # folders
list(SORT listing)
set(expected README.txt aol7sim.exe popup.wav press.wav vantor.exe)
list(TRANSFORM expected PREPEND vantor-2.0-win64/)
if(NOT listing STREQUAL expected)
  message(FATAL_ERROR "the package holds\n  ${listing}\nexpected\n  ${expected}")
endif()

file(MAKE_DIRECTORY ${out}/unpacked)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip} WORKING_DIRECTORY ${out}/unpacked)
set(dir ${out}/unpacked/vantor-2.0-win64)
foreach(exe vantor.exe aol7sim.exe)
  execute_process(COMMAND ${OBJDUMP} -t ${dir}/${exe} OUTPUT_VARIABLE symbols ERROR_VARIABLE symbols)
  if(NOT symbols MATCHES "no symbols")
    message(FATAL_ERROR "${exe} in the package is not stripped")
  endif()
endforeach()
file(READ ${dir}/README.txt text)
file(READ ${dir}/README.txt hex HEX)  # a plain read drops the carriage returns
string(FIND "${hex}" "0d0a" crlf)
string(FIND "${text}" "c:\\triggers.ini" store)
string(FIND "${text}" "@" unfilled)
if(crlf LESS 0 OR store LESS 0 OR unfilled GREATER -1)
  message(FATAL_ERROR "README.txt is not the users' text with Windows line ends")
endif()
file(SIZE ${dir}/vantor.exe size)
file(SIZE ${BUILD}/bin/vantor.exe unstripped)
message(STATUS "vantor-2.0-win64.zip: ${listing}; vantor.exe ${size} bytes (unstripped ${unstripped})")
