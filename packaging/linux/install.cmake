# Desktop integration of the Qt front end: what `cmake --install` puts in
# place, and the Debian package CPack builds from it. Included by the Qt
# backend, which defines the kovrane target.
include(GNUInstallDirs)

set(KOVRANE_APP_ID org.kovrane.Kovrane)
set(packaging_dir ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS kovrane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${packaging_dir}/${KOVRANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_dir}/${KOVRANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32)
  install(FILES ${KOVRANE_ICON_DIR}/kovrane-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${KOVRANE_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kovrane)
set(CPACK_PACKAGE_VENDOR "Kovrane")
set(CPACK_PACKAGE_CONTACT "Kovrane maintainers <kovrane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Stopwatch with a single START/STOP button")
set(CPACK_PACKAGE_DESCRIPTION
    "Kovrane shows the elapsed time in hours, minutes and seconds. START begins\n\
counting, STOP pauses it, and the next START carries on from the time shown.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The readout's font; without it Qt falls back to a Latin sans.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
