# The version is the project's, given once in CMakeLists.txt. The newest entry of
# debian/changelog must carry it as its upstream part, or the build stops; its date is
# the release date of the metadata and the manual pages.
set(DALVIRE_JOURNAL "${CMAKE_SOURCE_DIR}/debian/changelog")
set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${DALVIRE_JOURNAL}")
file(STRINGS "${DALVIRE_JOURNAL}" dalvire_entete LIMIT_COUNT 1)
if(NOT dalvire_entete MATCHES "^dalvire \\(([0-9]+:)?([^ )]+)-[^ )]+\\) ")
    message(FATAL_ERROR "debian/changelog : première ligne illisible : « ${dalvire_entete} »")
endif()
if(NOT CMAKE_MATCH_2 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "Versions différentes : ${PROJECT_VERSION} dans CMakeLists.txt, "
                        "${CMAKE_MATCH_2} dans debian/changelog. Ajoutez une entrée au "
                        "journal (dch -v ${PROJECT_VERSION}-1) ou corrigez project(VERSION).")
endif()
# The trailer of that first entry: " -- Name <mail>  Wed, 09 Dec 2026 05:00:00 +0000".
file(STRINGS "${DALVIRE_JOURNAL}" dalvire_signature REGEX "^ -- " LIMIT_COUNT 1)
set(dalvire_mois Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
if(NOT dalvire_signature MATCHES ", ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "debian/changelog : date illisible : « ${dalvire_signature} »")
endif()
list(FIND dalvire_mois "${CMAKE_MATCH_2}" dalvire_numero_mois)
math(EXPR dalvire_numero_mois "${dalvire_numero_mois} + 1")
string(LENGTH "${CMAKE_MATCH_1}" dalvire_longueur)
set(dalvire_jour "${CMAKE_MATCH_1}")
if(dalvire_longueur EQUAL 1)
    set(dalvire_jour "0${dalvire_jour}")
endif()
if(dalvire_numero_mois LESS 10)
    set(dalvire_numero_mois "0${dalvire_numero_mois}")
endif()
set(DALVIRE_DATE_VERSION "${CMAKE_MATCH_3}-${dalvire_numero_mois}-${dalvire_jour}")

# The desktop entry, the metadata and the icons share one reverse-domain name, made from
# the maker's web address (the one the About box shows): https://www.qelm.fr/ gives
# fr.qelm.dalvire.
if(NOT PROJECT_HOMEPAGE_URL MATCHES "^https?://(www\\.)?([^/:]+)")
    message(FATAL_ERROR "Adresse du site illisible : ${PROJECT_HOMEPAGE_URL}")
endif()
string(REPLACE "." ";" dalvire_domaine "${CMAKE_MATCH_2}")
list(REVERSE dalvire_domaine)
list(JOIN dalvire_domaine "." dalvire_domaine)
string(TOLOWER "${dalvire_domaine}.${PROJECT_NAME}" DALVIRE_IDENTIFIANT)

# Where the install rules put the shared files and the modules, and the same seen from the
# command's folder, which is how the program finds them.
include(GNUInstallDirs)
set(DALVIRE_DOSSIER_PARTAGE "${CMAKE_INSTALL_DATADIR}/dalvire")
set(DALVIRE_DOSSIER_MODULES "${CMAKE_INSTALL_LIBDIR}/dalvire")
file(RELATIVE_PATH DALVIRE_PARTAGE_RELATIF "${CMAKE_INSTALL_FULL_BINDIR}"
     "${CMAKE_INSTALL_FULL_DATADIR}/dalvire")
file(RELATIVE_PATH DALVIRE_MODULES_RELATIF "${CMAKE_INSTALL_FULL_BINDIR}"
     "${CMAKE_INSTALL_FULL_LIBDIR}/dalvire")
