# Builds the installation medium folder from scratch (so a file that went
# away does not linger) and zips it only when it is complete, so that no
# archive of a medium that cannot install is ever handed out.
#   cmake -DMEDIUM_DIR=... -DMEDIUM_ZIP=... -DINSTALL_EXE=... -DGAME_EXE=...
#         -DGAME_FILES_DIR=... -DSOUNDS_DIR=... -P stage-medium.cmake
set(pairs
  "${INSTALL_EXE}|install.exe"
  "${GAME_FILES_DIR}/Korvalo.hlp|Korvalo.hl_"
  "${GAME_FILES_DIR}/Léame.txt|Léame.txt"
  "${GAME_EXE}|Korvalo.ex_"
  "${GAME_FILES_DIR}/Korvalo.chm|Korvalo.ch_"
)
foreach(sound Perro Aleluya Bravo Dados Ficha Jail Libre No Tit Turn Ajiji)
  list(APPEND pairs "${SOUNDS_DIR}/${sound}.wav|${sound}.wa_")
endforeach()

file(REMOVE_RECURSE "${MEDIUM_DIR}")
file(REMOVE "${MEDIUM_ZIP}")
file(MAKE_DIRECTORY "${MEDIUM_DIR}")
set(missing "")
foreach(pair IN LISTS pairs)
  string(FIND "${pair}" "|" bar REVERSE)
  string(SUBSTRING "${pair}" 0 ${bar} source)
  math(EXPR name_start "${bar} + 1")
  string(SUBSTRING "${pair}" ${name_start} -1 name)
  if(source MATCHES "^/|^[A-Za-z]:" AND EXISTS "${source}" AND NOT IS_DIRECTORY "${source}")
    configure_file("${source}" "${MEDIUM_DIR}/${name}" COPYONLY)
  else()
    if(source STREQUAL "")
      set(source "no game target 'korvalo' in this build")
    endif()
    list(APPEND missing "${name} (from ${source})")
  endif()
endforeach()

if(missing)
  list(LENGTH missing count)
  string(REPLACE ";" "\n  " listed "${missing}")
  list(LENGTH pairs total)
  message(WARNING "Installation medium incomplete, ${count} of ${total} files missing; "
                  "no ${MEDIUM_ZIP} made:\n  ${listed}")
else()
  # Readers that follow the zip format (Windows' own among them) decode a
  # name as UTF-8 only when its entry says so (general purpose bit 11), and
  # otherwise in the OEM code page, which garbles "Léame.txt" so that the
  # installer cannot find it. CMake's archiver sets that bit for non-ASCII
  # names, but only when it runs in a UTF-8 locale.
  file(GLOB names RELATIVE "${MEDIUM_DIR}" "${MEDIUM_DIR}/*")
  list(SORT names)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C.UTF-8
                          "${CMAKE_COMMAND}" -E tar cf "${MEDIUM_ZIP}" --format=zip -- ${names}
                  WORKING_DIRECTORY "${MEDIUM_DIR}" RESULT_VARIABLE zipped)
  if(NOT zipped EQUAL 0)
    file(REMOVE "${MEDIUM_ZIP}")
    message(FATAL_ERROR "zip failed (${zipped}) for ${MEDIUM_ZIP}")
  endif()
  message(STATUS "Installation medium complete: ${MEDIUM_DIR} and ${MEDIUM_ZIP}")
endif()
