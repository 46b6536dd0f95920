# Installing and packaging: on Linux the program, the library and their
# manual pages, packaged as three .debs and three RPMs; on Windows
# the program, a short README.txt and the licence, packaged as a .zip.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME kblayouts)
set(CPACK_PACKAGE_VENDOR "the kblayouts developers")
set(CPACK_PACKAGE_CONTACT "kblayouts developers <kblayouts@users.noreply.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "report the keyboard layouts loaded in the system")

if(WIN32)
    install(TARGETS kblayouts RUNTIME DESTINATION .)
    # The README and the licence beside it, as text files on Windows are:
    # with CR LF line ends.
    foreach(text packaging/README.txt LICENSE)
        get_filename_component(name ${text} NAME_WE)
        file(READ ${PROJECT_SOURCE_DIR}/${text} content)
        string(REPLACE "\n" "\r\n" content "${content}")
        file(WRITE ${PROJECT_BINARY_DIR}/${name}.txt "${content}")
        install(FILES ${PROJECT_BINARY_DIR}/${name}.txt DESTINATION .)
    endforeach()
    set(CPACK_GENERATOR ZIP)
else()
    # Three packages: the program, the library, and what a program that
    # uses the library is built with.
    set(program_package kblayouts)
    set(library_package libkblayouts1)
    set(development_package libkblayouts-dev)
    install(TARGETS kblayouts RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
    # The library's folder is chosen as it is installed: a package's is
    # the one its distribution's linker searches (Debian's multiarch one,
    # RPM distributions' lib64 for 64 bits), which packaging/cpack.cmake.in
    # names; make install's is GNUInstallDirs'.
    install(CODE "
        set(KBLAYOUTS_LIBDIR \"\$ENV{KBLAYOUTS_PACKAGE_LIBDIR}\")
        if(NOT KBLAYOUTS_LIBDIR)
            set(KBLAYOUTS_LIBDIR ${CMAKE_INSTALL_LIBDIR})
        endif()" ALL_COMPONENTS)
    install(TARGETS kblayouts_library
        LIBRARY DESTINATION \${KBLAYOUTS_LIBDIR} COMPONENT library
            NAMELINK_COMPONENT development
        PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)
    # The .pc file names where the files went, DESTDIR left out.
    install(CODE "
        set(prefix \${CMAKE_INSTALL_PREFIX})
        set(libdir \${CMAKE_INSTALL_PREFIX}/\${KBLAYOUTS_LIBDIR})
        set(includedir \${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_INCLUDEDIR})
        set(PROJECT_VERSION ${PROJECT_VERSION})
        configure_file(${PROJECT_SOURCE_DIR}/library/kblayouts.pc.in
            \$ENV{DESTDIR}\${libdir}/pkgconfig/kblayouts.pc @ONLY)" COMPONENT development)

    foreach(section 1 3)
        set(manual ${PROJECT_BINARY_DIR}/kblayouts.${section}.gz)
        add_custom_command(OUTPUT ${manual}
            COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/doc/kblayouts.${section} > ${manual}
            DEPENDS ${PROJECT_SOURCE_DIR}/doc/kblayouts.${section})
        list(APPEND manuals ${manual})
    endforeach()
    add_custom_target(manuals ALL DEPENDS ${manuals})
    install(FILES ${PROJECT_BINARY_DIR}/kblayouts.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
    install(FILES ${PROJECT_BINARY_DIR}/kblayouts.3.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man3 COMPONENT development)

    set(changelog ${PROJECT_BINARY_DIR}/changelog.gz)
    add_custom_command(OUTPUT ${changelog}
        COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${changelog}
        DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
    add_custom_target(changelog ALL DEPENDS ${changelog})
    # Debian's machine-readable copyright file: its header, then the
    # licence's terms from LICENSE, each line indented by one space and
    # each blank line written as a full stop.
    file(READ ${PROJECT_SOURCE_DIR}/packaging/copyright copyright)
    file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
    string(REGEX REPLACE "^.*\n\n(Permission)" "\\1" terms "${licence}")
    string(REGEX REPLACE "\n$" "" terms "${terms}")
    string(REPLACE "\n\n" "\n.\n" terms "${terms}")
    string(REPLACE "\n" "\n " terms " ${terms}")
    file(WRITE ${PROJECT_BINARY_DIR}/copyright "${copyright}${terms}\n")
    # Each package carries the copyright and the changelog in a folder of
    # its own name, the program's the README too.
    foreach(component program library development)
        set(docs ${CMAKE_INSTALL_DATAROOTDIR}/doc/${${component}_package})
        install(FILES ${changelog} ${PROJECT_BINARY_DIR}/copyright
            DESTINATION ${docs} COMPONENT ${component})
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${program_package} COMPONENT program)

    set(CPACK_COMPONENTS_ALL program library development)
    set(CPACK_DEB_COMPONENT_INSTALL ON)
    set(CPACK_RPM_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS library)

    set(CPACK_GENERATOR DEB RPM)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
    set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME ${program_package})
    set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME ${library_package})
    set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME ${development_package})
    set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
    set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # Loaded at run time, in the sessions that need them only.
    set(loaded "libglib2.0-0 (>= 2.40), libsystemd0 (>= 240)")
    set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS ${loaded})
    set(CPACK_DEBIAN_LIBRARY_PACKAGE_RECOMMENDS ${loaded})
    # The library's package says which version a program built with it
    # needs, and dpkg's trigger runs ldconfig, not the scripts CPack would
    # write.
    set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
    set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
    set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA
        ${PROJECT_SOURCE_DIR}/packaging/debian/symbols
        ${PROJECT_SOURCE_DIR}/packaging/debian/triggers
        ${PROJECT_SOURCE_DIR}/packaging/debian/postinst
        ${PROJECT_SOURCE_DIR}/packaging/debian/postrm)
    # The summary is the synopsis; this is the rest.
    set(description "kblayouts asks the session once for its keyboard layouts and prints how
many there are, then each one's position and identifier, named as Windows
would name them (input locale identifiers). It reads the lists of fcitx5,
fcitx 4, IBus, GNOME, KDE, Cinnamon and Deepin, Wayland compositors, X
servers and Xwayland, and always exits with status 0.")
    set(library_description "libkblayouts gives a program, such as a remote desktop client, the
keyboard layouts of the session it runs in, as the kblayouts program
reports them, and the Windows keyboard layout identifier (KLID) of each.")
    set(development_description "${library_description}

This package holds the header, the pkg-config file and the manual page
needed to build a program that uses the library.")
    # Each package's first line is its own synopsis.
    unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)
    set(CPACK_DEBIAN_PROGRAM_DESCRIPTION
        "report the keyboard layouts loaded in the system\n${description}")
    set(CPACK_DEBIAN_LIBRARY_DESCRIPTION
        "session keyboard layouts as Windows names them\n${library_description}")
    set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
        "session keyboard layouts as Windows names them - development files\n${development_description}")

    # The RPMs, with the files the .debs hold.
    set(rpm_libdir lib)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(bits "(64bit)")
        set(rpm_libdir lib64)
    endif()
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
    set(CPACK_RPM_PROGRAM_PACKAGE_NAME kblayouts)
    set(CPACK_RPM_LIBRARY_PACKAGE_NAME kblayouts-libs)
    set(CPACK_RPM_DEVELOPMENT_PACKAGE_NAME kblayouts-devel)
    set(CPACK_RPM_PACKAGE_LICENSE MIT)
    set(CPACK_RPM_PROGRAM_PACKAGE_SUMMARY "Report the keyboard layouts loaded in the system")
    set(CPACK_RPM_LIBRARY_PACKAGE_SUMMARY "The session's keyboard layouts as Windows names them")
    set(CPACK_RPM_DEVELOPMENT_PACKAGE_SUMMARY "Development files for kblayouts-libs")
    set(CPACK_RPM_PROGRAM_PACKAGE_DESCRIPTION "${description}")
    set(CPACK_RPM_LIBRARY_PACKAGE_DESCRIPTION "${library_description}")
    set(CPACK_RPM_DEVELOPMENT_PACKAGE_DESCRIPTION "${development_description}")
    set(CPACK_RPM_PROGRAM_PACKAGE_GROUP "Applications/System")
    set(CPACK_RPM_LIBRARY_PACKAGE_GROUP "System Environment/Libraries")
    set(CPACK_RPM_DEVELOPMENT_PACKAGE_GROUP "Development/Libraries")
    set(CPACK_RPM_DEVELOPMENT_PACKAGE_REQUIRES "kblayouts-libs = ${PROJECT_VERSION}")
    set(CPACK_RPM_DEVELOPMENT_PACKAGE_PROVIDES "pkgconfig(kblayouts) = ${PROJECT_VERSION}")
    set(CPACK_RPM_LIBRARY_POST_INSTALL_SCRIPT_FILE ${PROJECT_SOURCE_DIR}/packaging/ldconfig.sh)
    set(CPACK_RPM_LIBRARY_POST_UNINSTALL_SCRIPT_FILE ${PROJECT_SOURCE_DIR}/packaging/ldconfig.sh)
    # The system owns the man pages' and the libraries' folders.
    set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
        /usr/share/man /usr/share/man/man1 /usr/share/man/man3 /usr/include
        /usr/${rpm_libdir} /usr/${rpm_libdir}/pkgconfig)
    foreach(component program library development)
        string(TOUPPER ${component} name)
        set(docs /usr/${CMAKE_INSTALL_DATAROOTDIR}/doc/${${component}_package})
        set(CPACK_RPM_${name}_USER_FILELIST "%license ${docs}/copyright"
            "%doc ${docs}/changelog.gz")
    endforeach()
    list(APPEND CPACK_RPM_PROGRAM_USER_FILELIST "%doc /usr/share/doc/kblayouts/README.md")
    # Debian's CMake installs a library without the execute bits RPM wants.
    list(APPEND CPACK_RPM_LIBRARY_USER_FILELIST
        "%attr(755, root, root) /usr/${rpm_libdir}/libkblayouts.so.${PROJECT_VERSION}")
    # The libraries loaded at run time, by the names every distribution's
    # packages provide them under. CPack writes no Recommends of its own;
    # these lines join each package's header.
    set(CPACK_RPM_SPEC_MORE_DEFINE "Packager: ${CPACK_PACKAGE_CONTACT}
Recommends: libgio-2.0.so.0()${bits}
Recommends: libsystemd.so.0()${bits}")
    configure_file(packaging/cpack.cmake.in cpack.cmake @ONLY)
    set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/cpack.cmake)
endif()

include(CPack)
