# Compiles and links with the flags Debian builds its own packages with (stack protector, fortified
# C library calls, read-only relocations bound at start-up), as dpkg-buildflags gives them with
# every hardening feature on, unless DEB_BUILD_MAINT_OPTIONS in the environment says otherwise.
# CMake reads CXXFLAGS and LDFLAGS from the environment but not CPPFLAGS, where the fortify
# definition lives, so all three are asked for here.
find_program(VEZAZ_DPKG_BUILDFLAGS_PROGRAM dpkg-buildflags REQUIRED)

set(maintainerOptions "$ENV{DEB_BUILD_MAINT_OPTIONS}")
if(maintainerOptions STREQUAL "")
    set(maintainerOptions "hardening=+all")
endif()

function(vezaz_dpkg_buildflag name out)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=${maintainerOptions}"
                ${VEZAZ_DPKG_BUILDFLAGS_PROGRAM} --get ${name}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()

vezaz_dpkg_buildflag(CPPFLAGS cppFlags)
vezaz_dpkg_buildflag(CXXFLAGS cxxFlags)
vezaz_dpkg_buildflag(LDFLAGS ldFlags)
add_compile_options(${cppFlags} ${cxxFlags})
add_link_options(${ldFlags})
list(JOIN cppFlags " " shownPreprocessorFlags)
list(JOIN cxxFlags " " shownCompileFlags)
list(JOIN ldFlags " " shownLinkFlags)
message(STATUS "dpkg-buildflags: compiling with ${shownPreprocessorFlags} ${shownCompileFlags}")
message(STATUS "dpkg-buildflags: linking with ${shownLinkFlags}")
