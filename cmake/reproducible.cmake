# Outputs that do not depend on where or when they were built, so a release
# can be rebuilt from its commit and compared byte for byte. Applied to every
# build, so test builds compile exactly as release builds do.
#
# Folder names leave __FILE__ and debug info: the source folder reads ".",
# the build folder "build". The build folder is mapped last because it may
# lie inside the source folder, and GCC takes the last matching map.
add_compile_options(
  "$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
  "$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>")
if(WIN32)
  # The PE header's TimeDateStamp would otherwise be the link time.
  add_link_options(-Wl,--no-insert-timestamp)
endif()
