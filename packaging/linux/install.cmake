# Desktop integration of the Qt front end: what `cmake --install` puts in
# place, and the Debian package CPack builds from it. Included by the Qt
# backend, which defines the kovrane target.
include(GNUInstallDirs)

set(KOVRANE_APP_ID org.kovrane.Kovrane)
set(KOVRANE_MAINTAINER "The Kovrane developers <kovrane@kovrane.org>")
# The day this version was released, for the metainfo, the manual page and
# the Debian changelog (which wants it as RFC 5322).
set(KOVRANE_RELEASE_DATE 2026-12-07)
execute_process(COMMAND date -u -R -d ${KOVRANE_RELEASE_DATE}
                OUTPUT_VARIABLE KOVRANE_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
set(packaging_dir ${CMAKE_CURRENT_LIST_DIR})
set(generated_dir ${PROJECT_BINARY_DIR}/packaging)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/kovrane)

configure_file(${packaging_dir}/${KOVRANE_APP_ID}.metainfo.xml.in
               ${generated_dir}/${KOVRANE_APP_ID}.metainfo.xml.in @ONLY)

# The desktop entry's and the metainfo's texts in other languages: one
# gettext catalogue per language, po/<language>.po, merged in by msgfmt,
# which writes each format's own form (GenericName[ja]=, xml:lang="ja").
# A new catalogue is picked up at the next build.
find_program(KOVRANE_MSGFMT msgfmt REQUIRED)
file(GLOB catalogues CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/po/*.po)
set(po_dir ${generated_dir}/po)
set(languages)
foreach(catalogue ${catalogues})
  cmake_path(GET catalogue STEM language)
  string(APPEND languages "${language}\n")
endforeach()
file(CONFIGURE OUTPUT ${po_dir}/LINGUAS CONTENT "${languages}")
add_custom_command(
  OUTPUT ${generated_dir}/${KOVRANE_APP_ID}.desktop.in ${generated_dir}/${KOVRANE_APP_ID}.metainfo.xml
  COMMAND ${CMAKE_COMMAND} -E copy ${catalogues} ${po_dir}
  COMMAND ${KOVRANE_MSGFMT} --desktop --template ${packaging_dir}/${KOVRANE_APP_ID}.desktop.in
          -d ${po_dir} -o ${generated_dir}/${KOVRANE_APP_ID}.desktop.in
  COMMAND ${KOVRANE_MSGFMT} --xml --template ${generated_dir}/${KOVRANE_APP_ID}.metainfo.xml.in
          -d ${po_dir} -o ${generated_dir}/${KOVRANE_APP_ID}.metainfo.xml
  DEPENDS ${catalogues} ${po_dir}/LINGUAS ${packaging_dir}/${KOVRANE_APP_ID}.desktop.in
          ${generated_dir}/${KOVRANE_APP_ID}.metainfo.xml.in
  VERBATIM)

# Manual pages: kovrane.1.in in English, kovrane.<language>.1.in in other
# languages, each installed as kovrane.1 in its language's folder.
set(manuals kovrane.1.in)
set(manual_dirs ${CMAKE_INSTALL_MANDIR}/man1)
file(GLOB translated_manuals RELATIVE ${packaging_dir} CONFIGURE_DEPENDS
     ${packaging_dir}/kovrane.*.1.in)
foreach(manual ${translated_manuals})
  string(REGEX REPLACE "^kovrane\\.(.+)\\.1\\.in$" "\\1" language ${manual})
  list(APPEND manuals ${manual})
  list(APPEND manual_dirs ${CMAKE_INSTALL_MANDIR}/${language}/man1)
endforeach()

# Debian wants the manual pages and the changelog compressed, at the
# highest level and with no name or time in the header.
find_program(KOVRANE_GZIP gzip REQUIRED)
set(compressed_texts)
foreach(text ${manuals} changelog.in)
  string(REGEX REPLACE "\\.in$" "" text ${text})
  configure_file(${packaging_dir}/${text}.in ${generated_dir}/${text} @ONLY)
  add_custom_command(OUTPUT ${generated_dir}/${text}.gz
    COMMAND ${KOVRANE_GZIP} -n -9 -k -f ${generated_dir}/${text}
    DEPENDS ${generated_dir}/${text}
    VERBATIM)
  list(APPEND compressed_texts ${generated_dir}/${text}.gz)
endforeach()
add_custom_target(kovrane_packaging_texts ALL DEPENDS ${compressed_texts}
  ${generated_dir}/${KOVRANE_APP_ID}.desktop.in ${generated_dir}/${KOVRANE_APP_ID}.metainfo.xml)

install(TARGETS kovrane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (the package's, or --strip) also drops the compiler's
# version notes, as Debian's own strip step does.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND [[${CMAKE_OBJCOPY}]] --remove-section=.comment
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/kovrane\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")
# The desktop entry starts the program by its absolute path, worked out when
# installing from the prefix actually used: a per-user install into ~/.local
# then starts with or without ~/.local/bin on PATH, and the package gets
# /usr/bin/kovrane.
install(CODE "
  set(desktop_entry_template [[${generated_dir}/${KOVRANE_APP_ID}.desktop.in]])
  set(desktop_entry [[${generated_dir}/${KOVRANE_APP_ID}.desktop]])
  set(program_dir [[${CMAKE_INSTALL_BINDIR}]])
  set(applications_dir [[${CMAKE_INSTALL_DATADIR}/applications]])")
install(SCRIPT ${packaging_dir}/desktop_entry.cmake)
install(FILES ${generated_dir}/${KOVRANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 64 128 256)
  install(FILES ${KOVRANE_ICON_DIR}/kovrane-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${KOVRANE_APP_ID}.png)
endforeach()
install(FILES ${KOVRANE_ICON_DIR}/kovrane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${KOVRANE_APP_ID}.svg)
foreach(manual manual_dir IN ZIP_LISTS manuals manual_dirs)
  string(REGEX REPLACE "\\.in$" ".gz" manual ${manual})
  install(FILES ${generated_dir}/${manual} DESTINATION ${manual_dir} RENAME kovrane.1.gz)
endforeach()
install(FILES ${packaging_dir}/copyright ${generated_dir}/changelog.gz DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kovrane)
set(CPACK_PACKAGE_VENDOR "The Kovrane developers")
set(CPACK_PACKAGE_CONTACT ${KOVRANE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Stopwatch with a single START/STOP button")
set(CPACK_PACKAGE_DESCRIPTION
    "Kovrane shows the elapsed time in hours, minutes and seconds. START begins\n\
counting, STOP pauses it, and the next START carries on from the time shown.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The readout's font, without which Qt falls back to a Latin sans, and the
# Qt plugin that gives a native window in a Wayland session.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-wayland")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
