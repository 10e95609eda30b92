# Copies those of NAMES that the native tree has made from FROM to TO; the
# others are left out, and the game still builds and runs without them.
foreach(name ${NAMES})
  if(EXISTS "${FROM}/${name}")
    file(COPY "${FROM}/${name}" DESTINATION "${TO}")
  endif()
endforeach()
