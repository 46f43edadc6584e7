# The documents every Debian package carries in /usr/share/doc/vezaz: the licence in Debian's
# machine-readable copyright format, and a changelog of the package, compressed as Debian's tools
# compress it (best compression, no name or time stamp in the gzip header, so that two builds
# give the same bytes). Both are written from the project's own data, never edited by hand.
find_program(VEZAZ_GZIP gzip REQUIRED)
find_program(VEZAZ_DATE date REQUIRED)

set(VEZAZ_DEBIAN_VERSION ${PROJECT_VERSION}-${VEZAZ_DEBIAN_REVISION})
execute_process(COMMAND ${VEZAZ_DATE} -u -R -d "${VEZAZ_RELEASE_DATE} 00:00:00"
                OUTPUT_VARIABLE VEZAZ_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${VEZAZ_DATE} -u -d "${VEZAZ_RELEASE_DATE} 00:00:00" +%s
                OUTPUT_VARIABLE VEZAZ_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)

# Copyright: the licence text of LICENSE as the Expat licence, each line indented by one space
# and blank lines written as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX REPLACE "^MIT License\n\n(Copyright \\(c\\) )?([^\n]*)\n\n" "" licenceTerms "${licence}")
set(licenceHolder "${CMAKE_MATCH_2}")
string(STRIP "${licenceTerms}" licenceTerms)
string(REPLACE "\n\n" "\n.\n" licenceTerms "${licenceTerms}")
string(REPLACE "\n" "\n " licenceTerms "${licenceTerms}")
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/copyright CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: VEzaz
Upstream-Contact: @VEZAZ_MAINTAINER@
Source: @VEZAZ_HOMEPAGE@

Files: *
Copyright: @licenceHolder@
License: Expat

License: Expat
 @licenceTerms@
" @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Changelog of the package: one entry for the release it packs.
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian)
file(CONFIGURE OUTPUT ${changelog}.in CONTENT
"vezaz (@VEZAZ_DEBIAN_VERSION@) unstable; urgency=medium

  * VEzaz @PROJECT_VERSION@, released @VEZAZ_RELEASE_DATE@.

 -- @VEZAZ_MAINTAINER@  @VEZAZ_RELEASE_DATE_RFC2822@
" @ONLY)
add_custom_command(OUTPUT ${changelog}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${changelog}.in ${changelog}
    COMMAND ${VEZAZ_GZIP} -9nf ${changelog}
    DEPENDS ${changelog}.in
    COMMENT "Compressing the package's changelog"
    VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${changelog}.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The lintian tags that stay, each with the reason why, where lintian reads them.
install(FILES vezaz.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME vezaz)
