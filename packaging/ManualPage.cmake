# The manual page vezaz(1), made at build time by help2man from what the built program prints for
# --help and --version (neither needs a display), so it always matches the command line. help2man
# is needed for the Debian package only: without it the page is left out, and cpack refuses to
# make a package without it.
find_program(VEZAZ_HELP2MAN help2man)
set(CPACK_VEZAZ_MANUAL_PAGE "")
if(NOT VEZAZ_HELP2MAN)
    message(STATUS "help2man not found: no manual page (the Debian package needs it)")
    return()
endif()

set(manualPage ${CMAKE_CURRENT_BINARY_DIR}/vezaz.1)
# help2man dates the page by SOURCE_DATE_EPOCH: the release's month, not the day of the build.
add_custom_command(OUTPUT ${manualPage}.gz
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${VEZAZ_RELEASE_EPOCH}
            ${VEZAZ_HELP2MAN} --no-info --section=1 --name=${VEZAZ_SUMMARY}
            --output=${manualPage} $<TARGET_FILE:vezaz>
    COMMAND ${VEZAZ_GZIP} -9nf ${manualPage}
    DEPENDS vezaz
    COMMENT "Writing the manual page from vezaz --help"
    VERBATIM)
add_custom_target(manual_page ALL DEPENDS ${manualPage}.gz)
install(FILES ${manualPage}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(CPACK_VEZAZ_MANUAL_PAGE ${manualPage}.gz)
