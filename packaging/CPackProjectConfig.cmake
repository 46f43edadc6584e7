# Read by cpack for each generator. Without dpkg-shlibdeps CPack would still make a Debian
# package, silently without the Qt libraries the program links, and without help2man at
# configure time one without its manual page; refuse both instead.
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(VEZAZ_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(NOT VEZAZ_DPKG_SHLIBDEPS)
        message(FATAL_ERROR "dpkg-shlibdeps not found: install the Debian package dpkg-dev")
    endif()
    if(NOT CPACK_VEZAZ_MANUAL_PAGE)
        message(FATAL_ERROR "no manual page: install the Debian package help2man, then configure "
                            "the build again")
    endif()
endif()
