# Installing and packaging: on Linux the program, its manual page, its
# copyright file and its README, packaged as a .deb and an RPM; on Windows
# the program and a short README.txt, packaged as a .zip.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME kblayouts)
set(CPACK_PACKAGE_VENDOR "the kblayouts developers")
set(CPACK_PACKAGE_CONTACT "kblayouts developers <kblayouts@users.noreply.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "report the keyboard layouts loaded in the system")

if(WIN32)
    install(TARGETS kblayouts RUNTIME DESTINATION .)
    # A text file on Windows has CR LF line ends.
    file(READ ${PROJECT_SOURCE_DIR}/packaging/README.txt readme)
    string(REPLACE "\n" "\r\n" readme "${readme}")
    file(WRITE ${PROJECT_BINARY_DIR}/README.txt "${readme}")
    install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
    set(CPACK_GENERATOR ZIP)
else()
    install(TARGETS kblayouts RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

    set(manual ${PROJECT_BINARY_DIR}/kblayouts.1.gz)
    add_custom_command(OUTPUT ${manual}
        COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/doc/kblayouts.1 > ${manual}
        DEPENDS ${PROJECT_SOURCE_DIR}/doc/kblayouts.1)
    add_custom_target(manual ALL DEPENDS ${manual})
    install(FILES ${manual} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

    set(changelog ${PROJECT_BINARY_DIR}/changelog.gz)
    add_custom_command(OUTPUT ${changelog}
        COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${changelog}
        DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
    add_custom_target(changelog ALL DEPENDS ${changelog})
    install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})

    install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

    set(CPACK_GENERATOR DEB RPM)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # Loaded at run time, in the sessions that need them only.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libglib2.0-0 (>= 2.40), libsystemd0 (>= 240)")
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # The summary is the synopsis; this is the rest.
    set(description "kblayouts asks the session once for its keyboard layouts and prints how
many there are, then each one's position and identifier, named as Windows
would name them (input locale identifiers). It reads the lists of fcitx5,
fcitx 4, IBus, GNOME, KDE, Cinnamon and Deepin, Wayland compositors, X
servers and Xwayland, and always exits with status 0.")
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${description}")

    # The RPM, with the files the .deb holds.
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
    set(CPACK_RPM_PACKAGE_DESCRIPTION "${description}")
    set(CPACK_RPM_PACKAGE_LICENSE "LicenseRef-kblayouts")
    set(CPACK_RPM_PACKAGE_SUMMARY "Report the keyboard layouts loaded in the system")
    set(CPACK_RPM_PACKAGE_GROUP "Applications/System")
    # The system owns the man page's folders.
    set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
        ${CPACK_PACKAGING_INSTALL_PREFIX}/share/man ${CPACK_PACKAGING_INSTALL_PREFIX}/share/man/man1)
    set(docs ${CPACK_PACKAGING_INSTALL_PREFIX}/${CMAKE_INSTALL_DOCDIR})
    set(CPACK_RPM_USER_FILELIST "%license ${docs}/copyright" "%doc ${docs}/README.md"
        "%doc ${docs}/changelog.gz")
    # The libraries loaded at run time, by the names every distribution's
    # packages provide them under. CPack writes no Recommends of its own;
    # these lines join the package's header.
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(bits "(64bit)")
    endif()
    set(CPACK_RPM_SPEC_MORE_DEFINE "Packager: ${CPACK_PACKAGE_CONTACT}
Recommends: libgio-2.0.so.0()${bits}
Recommends: libsystemd.so.0()${bits}")
endif()

include(CPack)
