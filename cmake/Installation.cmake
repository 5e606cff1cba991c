# The system-wide install (`cmake --install`, which the Debian package runs): the command
# in bin, the modules the program loads under lib/<triplet>/dalvire, its read-only files
# under share/dalvire, and what the desktop reads: the menu entry, the metadata of the
# software centres, the icon in the hicolor theme, the manual pages in English and French.
# `make install` (scripts/installer.sh) is the user's own install and does not use these.
set(DALVIRE_PAQUET "${CMAKE_BINARY_DIR}/paquet")
set(DALVIRE_SOURCES_PAQUET "${CMAKE_SOURCE_DIR}/data/paquet")

install(TARGETS dalvire RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(TARGETS shellgio impressionqt francais LIBRARY DESTINATION "${DALVIRE_DOSSIER_MODULES}")
install(FILES "${DALVIRE_APP_DIR}/aide.chm" "${DALVIRE_APP_DIR}/informations.txt"
              "${DALVIRE_CATALOGUE_VIERGE}"
        DESTINATION "${DALVIRE_DOSSIER_PARTAGE}")
install(DIRECTORY "${DALVIRE_APP_DIR}/icones" DESTINATION "${DALVIRE_DOSSIER_PARTAGE}")

configure_file("${DALVIRE_SOURCES_PAQUET}/dalvire.desktop.in"
               "${DALVIRE_PAQUET}/${DALVIRE_IDENTIFIANT}.desktop" @ONLY)
configure_file("${DALVIRE_SOURCES_PAQUET}/dalvire.metainfo.xml.in"
               "${DALVIRE_PAQUET}/${DALVIRE_IDENTIFIANT}.metainfo.xml" @ONLY)
configure_file("${DALVIRE_SOURCES_PAQUET}/dalvire.1.in" "${DALVIRE_PAQUET}/man/dalvire.1" @ONLY)
configure_file("${DALVIRE_SOURCES_PAQUET}/dalvire.fr.1.in" "${DALVIRE_PAQUET}/man/fr/dalvire.1" @ONLY)
install(FILES "${DALVIRE_PAQUET}/${DALVIRE_IDENTIFIANT}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${DALVIRE_PAQUET}/${DALVIRE_IDENTIFIANT}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${DALVIRE_PAQUET}/man/dalvire.1" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${DALVIRE_PAQUET}/man/fr/dalvire.1" DESTINATION "${CMAKE_INSTALL_MANDIR}/fr/man1")

# The theme's pictures, one per size the application icon holds.
add_custom_command(
    OUTPUT "${DALVIRE_PAQUET}/icones.fait"
    COMMAND ${CMAKE_COMMAND} -E rm -rf "${DALVIRE_PAQUET}/hicolor"
    COMMAND extraire_icones "${CMAKE_SOURCE_DIR}/data/icones/dalvire.ico"
            "${DALVIRE_PAQUET}/hicolor" "${DALVIRE_IDENTIFIANT}"
    COMMAND ${CMAKE_COMMAND} -E touch "${DALVIRE_PAQUET}/icones.fait"
    DEPENDS extraire_icones "${CMAKE_SOURCE_DIR}/data/icones/dalvire.ico"
    VERBATIM)
add_custom_target(icones_theme ALL DEPENDS "${DALVIRE_PAQUET}/icones.fait")
install(DIRECTORY "${DALVIRE_PAQUET}/hicolor" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")
