# Compiler flags shared by the three builds.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
add_compile_options(-Wall -Wextra -Werror)
# Static analysis reads the compile commands of every build.
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

if(WIN32)
  # Self-contained and hardened: only system DLLs imported, stack
  # protector, fortified string calls, NX and ASLR with relocations kept.
  add_compile_options(-O2 -fstack-protector-strong -D_FORTIFY_SOURCE=2 -fno-exceptions)
  add_link_options(-static -fstack-protector-strong -Wl,--dynamicbase,--nxcompat)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_link_options(-Wl,--high-entropy-va)
  endif()
  # The static runtime libraries carry their DWARF sections: without
  # stripping they are over half a megabyte of the shipped file.
  add_link_options($<$<CONFIG:Release,MinSizeRel>:-s>)
  # The same source gives the same bytes in any folder at any time, so
  # anyone can rebuild a release and compare: no link time in the PE
  # header (ld still writes a correct checksum), and source paths that
  # reach the code (__FILE__) are relative to the source tree.
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
  add_link_options(-Wl,--no-insert-timestamp)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)
else()
  option(ZENDARO_SANITIZE "Build native code with AddressSanitizer and UBSan" ON)
  if(ZENDARO_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# Plain -I flags in the compile commands: clang-tidy 14 does not read the
# response files that CMake would use for the cross builds' include paths.
set(CMAKE_C_USE_RESPONSE_FILE_FOR_INCLUDES OFF)
set(CMAKE_CXX_USE_RESPONSE_FILE_FOR_INCLUDES OFF)
