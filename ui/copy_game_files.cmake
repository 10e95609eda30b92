# Copies the generated help file and read-me beside the game when the
# native tree has made them; without them the game still builds and runs.
foreach(name Korvalo.hlp Léame.txt)
  if(FROM AND EXISTS "${FROM}/${name}")
    file(COPY "${FROM}/${name}" DESTINATION "${TO}")
  endif()
endforeach()
