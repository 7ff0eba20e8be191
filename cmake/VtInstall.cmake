# Installation and the Debian package.
#
# The program lies in its own folder together with the manual, because the
# dialogs' help buttons look for the manual beside the running program; the
# command in the search path is a link to it (the program resolves the link
# when it works out its own folder).
set(CMAKE_INSTALL_DOCDIR share/doc/moriva-vokabeltrainer)
include(GNUInstallDirs)

set(VT_APP_ID de.moriva.Vokabeltrainer)
set(VT_PROGRAM_DIR "${CMAKE_INSTALL_LIBDIR}/moriva-vokabeltrainer")
if(CMAKE_INSTALL_LIBDIR MATCHES "^lib/")
    # Debian's multiarch library folder is for libraries; a program's private
    # folder belongs directly under lib.
    set(VT_PROGRAM_DIR "lib/moriva-vokabeltrainer")
endif()

install(TARGETS vokabeltrainer RUNTIME DESTINATION "${VT_PROGRAM_DIR}")
install(FILES "${VT_MANUAL_PDF}" "${PROJECT_SOURCE_DIR}/data/manual/handbuch.md" DESTINATION "${VT_PROGRAM_DIR}")
install(DIRECTORY "${VT_MANUAL_PICTURES}/" DESTINATION "${VT_PROGRAM_DIR}/bilder" FILES_MATCHING PATTERN "*.png")
# Escaped variables are read at install time, so "--prefix" and DESTDIR hold.
install(CODE "
    set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
    set(bindir \"\$ENV{DESTDIR}\${prefix}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bindir}\")
    file(RELATIVE_PATH target \"\${prefix}/${CMAKE_INSTALL_BINDIR}\"
         \"\${prefix}/${VT_PROGRAM_DIR}/vokabeltrainer\")
    message(STATUS \"Installing: \${bindir}/moriva-vokabeltrainer -> \${target}\")
    file(CREATE_LINK \"\${target}\" \"\${bindir}/moriva-vokabeltrainer\" SYMBOLIC)
")

set(desktop "${PROJECT_SOURCE_DIR}/data/desktop")
install(FILES "${desktop}/${VT_APP_ID}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${desktop}/${VT_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${VT_ICON_SVG}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
foreach(size IN LISTS VT_ICON_SIZES)
    install(FILES "${VT_ICON_DIR}/${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
            RENAME "${VT_APP_ID}.png")
endforeach()
install(FILES LICENSE NOTICE README.md DESTINATION "${CMAKE_INSTALL_DOCDIR}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME moriva-vokabeltrainer)
set(CPACK_PACKAGE_VENDOR "Moriva Software")
set(CPACK_PACKAGE_CONTACT "Moriva Software <vokabeltrainer@moriva.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vokabeltrainer für Deutschsprachige")
set(CPACK_PACKAGE_DESCRIPTION
    "Learn and test foreign-language vocabulary, manage lessons and users,\nprint flash cards, vocabulary lists and tests. Comes with a reviewed\nGerman-English word list.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its display plugins and its German texts at run time, and the
# layouts are measured in faces these packages stand in for; the library scan
# sees none of that.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation2, fonts-comic-neue")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
