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
    file(COPY_FILE "${source}" "${MEDIUM_DIR}/${name}")
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
  message(WARNING "Installation medium incomplete, ${count} of 15 files missing; "
                  "no ${MEDIUM_ZIP} made:\n  ${listed}")
else()
  execute_process(COMMAND zip -q -X -r "${MEDIUM_ZIP}" .
                  WORKING_DIRECTORY "${MEDIUM_DIR}" RESULT_VARIABLE zipped)
  if(NOT zipped EQUAL 0)
    message(FATAL_ERROR "zip failed (${zipped}) for ${MEDIUM_ZIP}")
  endif()
  message(STATUS "Installation medium complete: ${MEDIUM_DIR} and ${MEDIUM_ZIP}")
endif()
