# Installs the build into a scratch prefix and fails unless the installed
# tree holds exactly the files of the stage, byte for byte.
# Usage: cmake -DBUILD_DIR=... -DSTAGE_DIR=... -DPREFIX=... -P checkinstall.cmake
foreach(var BUILD_DIR STAGE_DIR PREFIX)
  if(NOT ${var})
    message(FATAL_ERROR "checkinstall: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "install into ${PREFIX} failed:\n${output}")
endif()

file(GLOB_RECURSE staged RELATIVE ${STAGE_DIR} LIST_DIRECTORIES false ${STAGE_DIR}/*)
file(GLOB_RECURSE installed RELATIVE ${PREFIX} LIST_DIRECTORIES false ${PREFIX}/*)
list(SORT staged)
list(SORT installed)
if(NOT staged STREQUAL installed)
  message(FATAL_ERROR "installed files differ from the stage\n  stage:   ${staged}\n  install: ${installed}")
endif()
foreach(f IN LISTS staged)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${STAGE_DIR}/${f} ${PREFIX}/${f}
    RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "installed ${f} differs from the staged one")
  endif()
endforeach()
list(LENGTH staged count)
message(STATUS "install tree matches the stage (${count} files: ${staged})")
