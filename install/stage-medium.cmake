# Builds the installation medium folder from scratch (so a file that went
# away does not linger) and zips it only when it is complete, so that no
# archive of a medium that cannot install is ever handed out.
#   cmake -DMEDIUM_DIR=... -DMEDIUM_ZIP=... -DINSTALL_EXE=... -DGAME_EXE=...
#         -DGAME_FILES_DIR=... -DSOUNDS_DIR=... -DGAME_FILES_LIST=... -DPACK=korvalo-pack
#         -DSETUP_FILE=... -P stage-medium.cmake
# The names come from the list the installer is built from: the game program
# is the one built, every other file is found by its installed name among
# the generated files or the waves.
#   -DGAME_FILES_LIST=product/game_files.h
file(READ "${GAME_FILES_LIST}" list_text)
string(REGEX MATCHALL "ROW\\(\"[^\"]+\", \"[^\"]+\"\\)" rows "${list_text}")
string(REGEX MATCHALL "ROW\\(\"" starts "${list_text}")
list(LENGTH rows row_count)
list(LENGTH starts start_count)
if(NOT row_count EQUAL start_count)
  message(FATAL_ERROR "${GAME_FILES_LIST}: only ${row_count} of its ${start_count} rows could be read")
endif()
set(pairs "${INSTALL_EXE}|install.exe")
foreach(row IN LISTS rows)
  if(NOT row MATCHES "ROW\\(\"([^\"]+)\", \"([^\"]+)\"\\)")
    message(FATAL_ERROR "unreadable row of ${GAME_FILES_LIST}: ${row}")
  endif()
  set(name "${CMAKE_MATCH_1}")
  set(installed "${CMAKE_MATCH_2}")
  if(installed STREQUAL "Korvalo.exe")
    set(source "${GAME_EXE}")
  elseif(EXISTS "${SOUNDS_DIR}/${installed}")
    set(source "${SOUNDS_DIR}/${installed}")
  else()
    set(source "${GAME_FILES_DIR}/${installed}")
  endif()
  list(APPEND pairs "${source}|${name}")
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
                          "${CMAKE_COMMAND}" -E tar cf "${MEDIUM_ZIP}" --format=zip
                          "--mtime=1980-01-01 00:00:00 UTC" -- ${names}
                  WORKING_DIRECTORY "${MEDIUM_DIR}" RESULT_VARIABLE zipped)
  if(NOT zipped EQUAL 0)
    file(REMOVE "${MEDIUM_ZIP}")
    message(FATAL_ERROR "zip failed (${zipped}) for ${MEDIUM_ZIP}")
  endif()
  # The single setup file: the same installer carrying the same files.
  set(packed "")
  foreach(pair IN LISTS pairs)
    string(FIND "${pair}" "|" bar REVERSE)
    math(EXPR name_start "${bar} + 1")
    string(SUBSTRING "${pair}" ${name_start} -1 name)
    if(NOT name STREQUAL "install.exe")
      list(APPEND packed "${MEDIUM_DIR}/${name}")
    endif()
  endforeach()
  file(REMOVE "${SETUP_FILE}")
  execute_process(COMMAND "${PACK}" "${SETUP_FILE}" "${MEDIUM_DIR}/install.exe" ${packed} RESULT_VARIABLE packed_ok)
  if(NOT packed_ok EQUAL 0)
    file(REMOVE "${SETUP_FILE}")
    message(FATAL_ERROR "korvalo-pack failed (${packed_ok}) for ${SETUP_FILE}")
  endif()
  # The hashes of what is handed out, beside it.
  get_filename_component(out_dir "${SETUP_FILE}" DIRECTORY)
  set(sums "")
  foreach(output "${SETUP_FILE}" "${MEDIUM_ZIP}" "${MEDIUM_DIR}/install.exe" "${GAME_EXE}"
                 "${GAME_FILES_DIR}/Korvalo.chm")
    file(SHA256 "${output}" hash)
    get_filename_component(name "${output}" NAME)
    string(APPEND sums "${hash}  ${name}\n")
  endforeach()
  file(WRITE "${out_dir}/SHA256SUMS" "${sums}")
  message(STATUS "Installation medium complete: ${MEDIUM_DIR}, ${MEDIUM_ZIP} and ${SETUP_FILE}")
endif()
