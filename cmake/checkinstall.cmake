# Installs the build into a scratch prefix and fails unless bin/ and
# share/velmora/ of the installed tree hold exactly the files of the stage,
# byte for byte, and everything else installed is the desktop's own set.
# Usage: cmake -DBUILD_DIR=... -DSTAGE_DIR=... -DPREFIX=... [-DWITH_MAN=1] -P checkinstall.cmake
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
set(desktop
  lib/udev/rules.d/70-velmora.rules
  share/applications/velmora.desktop
  share/bash-completion/completions/velmoractl
  share/icons/hicolor/256x256/apps/velmora.png
  share/icons/hicolor/scalable/apps/velmora.svg
  share/metainfo/io.github.velmora.velmora.metainfo.xml)
if(WITH_MAN)
  list(APPEND desktop share/man/man1/velmora.1 share/man/man1/velmoractl.1)
endif()
set(expected ${staged} ${desktop})
list(SORT expected)
list(SORT installed)
if(NOT expected STREQUAL installed)
  message(FATAL_ERROR "installed files differ from the stage and the desktop files\n"
    "  expected: ${expected}\n  install:  ${installed}")
endif()
foreach(f IN LISTS staged)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${STAGE_DIR}/${f} ${PREFIX}/${f}
    RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "installed ${f} differs from the staged one")
  endif()
endforeach()
list(LENGTH installed count)
message(STATUS "install tree matches the stage and the desktop files (${count} files)")
