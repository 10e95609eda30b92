# Fails when a resource script is not Windows-1252: it must say so in its
# code-page pragma, and a UTF-8 sequence (a lead byte C0-FF followed by a
# continuation byte 80-BF) means an editor saved it as UTF-8, which windres
# would then read as the wrong letters.
#   cmake -DSCRIPTS="a.rc;b.rc" -P script_encoding.cmake
set(bad 0)
foreach(script IN LISTS SCRIPTS)
  file(READ ${script} hex HEX)
  # One byte a word, so the pattern below only matches on byte boundaries.
  string(REGEX REPLACE "(..)" " \\1" bytes "${hex}")
  string(REGEX MATCH " [c-f][0-9a-f] [89ab][0-9a-f]" utf8 "${bytes}")
  if(utf8)
    string(FIND "${bytes}" "${utf8}" at)
    math(EXPR at "${at} / 3")
    message(SEND_ERROR "${script}: UTF-8 sequence${utf8} at byte ${at}, expected Windows-1252")
    set(bad 1)
  endif()
  file(STRINGS ${script} pragma REGEX "^#pragma code_page")
  if(NOT pragma STREQUAL "#pragma code_page(1252)")
    message(SEND_ERROR "${script}: \"${pragma}\", expected \"#pragma code_page(1252)\"")
    set(bad 1)
  endif()
endforeach()
if(NOT bad)
  message(STATUS "Windows-1252: ${SCRIPTS}")
endif()
