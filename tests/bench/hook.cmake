# Adds the bench programs to a build of the whole project without touching
# its own lists: scripts/bench configures its trees with
#   -DCMAKE_PROJECT_Zendaro_INCLUDE=<this file>
# and the bench's list is read once the top-level list has run, so its
# programs get the same flags and can link the project's own libraries.
# (A deferred call expands its arguments when it runs: the path is
# written into it now.)
cmake_language(EVAL CODE
  "cmake_language(DEFER DIRECTORY \"${CMAKE_SOURCE_DIR}\" CALL include \"${CMAKE_CURRENT_LIST_DIR}/CMakeLists.txt\")")
