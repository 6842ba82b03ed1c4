# Read by cpack before it packs. The Debian package's Depends line comes from dpkg-shlibdeps
# (package dpkg-dev), which CPack runs only on the files that the `file` tool calls executables.
# Without dpkg-shlibdeps CPack still writes a package, but one that depends on qt6-qpa-plugins
# alone, without the Qt and C++ libraries the programs link: refuse to pack rather than ship that.
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(TAVROLIN_FILE_TOOL file)
    find_program(TAVROLIN_SHLIBDEPS dpkg-shlibdeps)
    if(NOT TAVROLIN_FILE_TOOL OR NOT TAVROLIN_SHLIBDEPS)
        message(FATAL_ERROR "The package's dependencies are found by dpkg-shlibdeps with the help "
            "of file; install both first: sudo apt-get install dpkg-dev file")
    endif()
endif()
