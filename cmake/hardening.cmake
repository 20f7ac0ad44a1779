# Hardening for the Linux builds, as Debian builds its packages: position-
# independent executables, full RELRO (read-only relocations, every symbol
# bound at start-up), the stack protector, and, in optimised builds, the
# fortified glibc functions (_FORTIFY_SOURCE needs optimisation to see
# buffer sizes, and warns without it). Applies to every target defined after
# it. The Windows cross build keeps its own settings.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()

include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong -fstack-clash-protection
  "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
add_link_options(-Wl,-z,relro -Wl,-z,now)
