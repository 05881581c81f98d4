# The installed program: the installation folder (the binary with lib/, extlib/, examples/ and an
# empty temp/ beside it, as the build's stage has them) under lib/halvern, a link in bin/, and what
# the desktop needs to start it and to open a design by a double click: the .desktop file, the
# icons and the ".qlm" type.
include(GNUInstallDirs)

set(HALVERN_INSTALL_DIR lib/halvern) # the program's own folder, not a library for others
set(halvern_data ${CMAKE_SOURCE_DIR}/data)

install(TARGETS halvern RUNTIME DESTINATION ${HALVERN_INSTALL_DIR})
install(DIRECTORY ${halvern_data}/lib ${halvern_data}/extlib ${halvern_data}/examples
        DESTINATION ${HALVERN_INSTALL_DIR})
install(DIRECTORY DESTINATION ${HALVERN_INSTALL_DIR}/temp)
# The program finds its folder through its own executable, links followed: a relative link keeps
# the installation relocatable.
install(CODE "
  set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${bin}\")
  file(RELATIVE_PATH target \"/${CMAKE_INSTALL_BINDIR}\" \"/${HALVERN_INSTALL_DIR}/halvern\")
  file(CREATE_LINK \"\${target}\" \"\${bin}/halvern\" SYMBOLIC)
  message(STATUS \"Linking: \${bin}/halvern -> \${target}\")
")

install(FILES ${halvern_data}/desktop/halvern.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${halvern_data}/desktop/halvern.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${halvern_data}/desktop/application-x-halvern-design.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
# Fixed sizes beside the scalable icons, for the panels and menus that do not draw SVG.
install(DIRECTORY ${halvern_data}/desktop/hicolor/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${halvern_data}/desktop/halvern-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME halvern.xml)
