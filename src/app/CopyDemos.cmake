# Copies the built-in demo files into the dist folder, when the source tree has them.
if(IS_DIRECTORY "${SRC}")
  file(GLOB demos "${SRC}/*")
  foreach(demo ${demos})
    if(NOT IS_DIRECTORY "${demo}")
      file(COPY "${demo}" DESTINATION "${DST}")
    endif()
  endforeach()
endif()
