# Warnings for each compiler, builds that keep nothing of the folders they ran in, and on Linux the
# hardening Debian gives its packages: fortified library calls, a stack protector, and relocations
# made read-only (full RELRO) at start.
option(LARKSPIRE_HARDENING "Build with the hardening of Debian's packages" ON)

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic)
  # Nothing of the folders the build ran in is kept in what it makes (debug information, __FILE__):
  # the source folder is written as /usr/src/larkspire and the build folder, wherever it lies, as
  # its build/ there, so that two builds of one commit give the same bytes. The last match wins.
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=/usr/src/larkspire
                      -ffile-prefix-map=${CMAKE_BINARY_DIR}=/usr/src/larkspire/build)
elseif(MSVC)
  add_compile_options(/W4 /permissive-)
endif()

if(LARKSPIRE_HARDENING AND CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  # Fortification works on optimised code only.
  add_compile_options(-fstack-protector-strong $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
