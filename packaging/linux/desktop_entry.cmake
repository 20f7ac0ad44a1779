# Run by `cmake --install` (install.cmake sets desktop_entry_template,
# desktop_entry, program_dir and applications_dir first): writes the desktop
# entry with Exec naming the installed program by its absolute path under
# this install's prefix, and installs it.
cmake_path(ABSOLUTE_PATH program_dir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE
           OUTPUT_VARIABLE program)
cmake_path(APPEND program kovrane OUTPUT_VARIABLE KOVRANE_EXEC)

# Exec's own rules: % is doubled, and a path with any other character than
# these goes in double quotes with " ` $ \ escaped; then, as in every string
# value of a desktop entry, each \ is written \\.
string(REPLACE "%" "%%" KOVRANE_EXEC "${KOVRANE_EXEC}")
if(NOT KOVRANE_EXEC MATCHES "^[A-Za-z0-9/._+%-]+$")
  string(REGEX REPLACE "([\"`$\\])" "\\\\\\1" KOVRANE_EXEC "${KOVRANE_EXEC}")
  string(REPLACE "\\" "\\\\" KOVRANE_EXEC "${KOVRANE_EXEC}")
  set(KOVRANE_EXEC "\"${KOVRANE_EXEC}\"")
endif()

configure_file("${desktop_entry_template}" "${desktop_entry}" @ONLY)
file(INSTALL "${desktop_entry}" DESTINATION "${CMAKE_INSTALL_PREFIX}/${applications_dir}"
     PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
