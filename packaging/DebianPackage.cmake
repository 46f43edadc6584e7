# The Debian package of what `cmake --install` puts in place: cpack -G DEB in a Release build.
set(CPACK_PACKAGE_NAME vezaz)
# All four parts: CPack would otherwise drop the fourth.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "VEzaz developers")
set(CPACK_PACKAGE_CONTACT ${VEZAZ_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${VEZAZ_SUMMARY})
# Debian wants the long description in lines of at most 80 characters; CPack does not wrap them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "VEzaz edits dmclient.ini, the client settings file of the online game"
    "Duskmarch: the colours of chat and combat text, the colours, transparency"
    "and places of the game's windows at each screen resolution, the container"
    "windows, the general switches and the key bindings."
    ""
    "Nothing reaches the file until you save, and then only the keys VEzaz knows"
    "change: every other key, section, comment, blank line and line ending stays"
    "as it was.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${VEZAZ_HOMEPAGE})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VEZAZ_DEBIAN_REVISION})
# A tool beside the game rather than a game: Debian keeps "games" for what installs to /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries the program links come from dpkg-shlibdeps (package dpkg-dev); what it loads
# at run time it cannot see: Qt SVG's icon engine for every icon, the X11 platform plugin, and
# the font the program asks for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins, fonts-liberation2")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackProjectConfig.cmake)

include(CPack)
