# Fails when one of FILES includes a skin folder outside ALLOWED (folder names under skin/);
# touches STAMP when all is well. Run by velloran_skin_layer (skin/CMakeLists.txt).
cmake_minimum_required(VERSION 3.24)
foreach(file IN LISTS FILES)
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]skin/")
  foreach(line IN LISTS includes)
    string(REGEX MATCH "skin/([^/\">]+)/" _ "${line}")
    if(NOT CMAKE_MATCH_1 IN_LIST ALLOWED)
      message(FATAL_ERROR "${file}: '${line}' reaches skin/${CMAKE_MATCH_1}, which is not below this layer "
                          "(it may include: ${ALLOWED})")
    endif()
  endforeach()
endforeach()
file(TOUCH ${STAMP})
