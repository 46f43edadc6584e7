# Read by cpack for each generator. Without dpkg-shlibdeps CPack would still make a Debian
# package, silently without the Qt libraries the program links; refuse that instead.
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(VEZAZ_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(NOT VEZAZ_DPKG_SHLIBDEPS)
        message(FATAL_ERROR "dpkg-shlibdeps not found: install the Debian package dpkg-dev")
    endif()
endif()
