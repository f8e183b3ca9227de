# Warnings for each compiler, and on Linux the hardening Debian gives its packages: fortified
# library calls, a stack protector, and relocations made read-only (full RELRO) at start.
option(LARKSPIRE_HARDENING "Build with the hardening of Debian's packages" ON)

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic)
elseif(MSVC)
  add_compile_options(/W4 /permissive-)
endif()

if(LARKSPIRE_HARDENING AND CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  # Fortification works on optimised code only.
  add_compile_options(-fstack-protector-strong $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
