# The game's resource script and every file it pulls in, for the programs
# that link it (the game and the paint benchmark):
#   include(<repo>/ui/resources/resources.cmake)
#   korvalo_add_resources(<target>)
# Listing the pictures as dependencies makes a changed picture rebuild the
# resources; windres itself reports none.
set(KORVALO_RESOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})

set(KORVALO_RESOURCE_FILES
  ${KORVALO_RESOURCE_DIR}/resource.h
  ${KORVALO_RESOURCE_DIR}/../../product/product.h
  ${KORVALO_RESOURCE_DIR}/korvalo.manifest
  ${KORVALO_RESOURCE_DIR}/art/korvalo.ico)
foreach(range "101;104" "114;161" "180;185")
  list(GET range 0 first)
  list(GET range 1 last)
  foreach(id RANGE ${first} ${last})
    list(APPEND KORVALO_RESOURCE_FILES ${KORVALO_RESOURCE_DIR}/art/${id}.bmp)
  endforeach()
endforeach()
foreach(id RANGE 105 113)
  list(APPEND KORVALO_RESOURCE_FILES ${KORVALO_RESOURCE_DIR}/art/${id}.cur)
endforeach()

function(korvalo_add_resources target)
  target_sources(${target} PRIVATE ${KORVALO_RESOURCE_DIR}/korvalo.rc)
  # windres finds the pictures through the include path.
  target_include_directories(${target} PRIVATE ${KORVALO_RESOURCE_DIR})
  set_property(SOURCE ${KORVALO_RESOURCE_DIR}/korvalo.rc APPEND PROPERTY
    OBJECT_DEPENDS ${KORVALO_RESOURCE_FILES})
endfunction()
