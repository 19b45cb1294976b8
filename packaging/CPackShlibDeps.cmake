# Read by cpack: the package depends on the libraries its programs link, with the versions
# dpkg-shlibdeps names. CPack's own run of dpkg-shlibdeps would also add ldconfig calls to the
# maintainer scripts, as the Qt part is a shared object under /usr/lib, although it is a private
# module that the dynamic linker's cache never holds.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(work ${CPACK_VIDLARK_SHLIBDEPS_DIR})
    file(MAKE_DIRECTORY ${work}/debian)
    file(WRITE ${work}/debian/control "")
    execute_process(COMMAND dpkg-shlibdeps -O ${CPACK_VIDLARK_ELF_FILES}
                    WORKING_DIRECTORY ${work}
                    OUTPUT_VARIABLE substvars
                    COMMAND_ERROR_IS_FATAL ANY)
    if(NOT substvars MATCHES "shlibs:Depends=([^\n]+)")
        message(FATAL_ERROR "dpkg-shlibdeps named no libraries: ${substvars}")
    endif()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}, ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
endif()
