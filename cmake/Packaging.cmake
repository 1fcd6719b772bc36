# What `cmake --install` puts in place beside the two programs, and the Debian package
# CPack makes of it. Included from the top level when the windows are built.

include(GNUInstallDirs)

set(SCX_APP_ID org.scindarex.Scindarex)
set(SCX_DATA_DIR ${CMAKE_INSTALL_DATADIR}/scindarex)
set(SCX_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(SCX_GENERATED_DIR ${CMAKE_BINARY_DIR}/packaging)

# The guide lives beside the program in the build tree and in the data folder once
# installed; the program finds the latter relative to its own folder (app/CMakeLists.txt),
# so that a package unpacked anywhere still finds it.
install(FILES ${PROJECT_SOURCE_DIR}/resources/help/guide.html DESTINATION ${SCX_DATA_DIR}/help)

# The icon: the program's own picture, scalable and rendered to the usual sizes.
find_program(SCX_RSVG_CONVERT rsvg-convert REQUIRED)
set(scx_icon_svg ${PROJECT_SOURCE_DIR}/resources/assets/images/app_icon.svg)
set(scx_icon_pngs)
foreach(size 16 24 32 48 64 128 256)
    set(png ${SCX_GENERATED_DIR}/icons/${size}/${SCX_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${SCX_GENERATED_DIR}/icons/${size}
        COMMAND ${SCX_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${scx_icon_svg}
        DEPENDS ${scx_icon_svg}
        COMMENT "Rendering the ${size}x${size} icon" VERBATIM)
    list(APPEND scx_icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${scx_icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${SCX_APP_ID}.svg)

# Manual pages and the Debian changelog, compressed as Debian wants them.
set(scx_compressed)
foreach(page scindarex scindarex-cli)
    set(gz ${SCX_GENERATED_DIR}/man/${page}.1.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${SCX_GENERATED_DIR}/man
        COMMAND gzip -9nc ${SCX_PACKAGING_DIR}/man/${page}.1 > ${gz}
        DEPENDS ${SCX_PACKAGING_DIR}/man/${page}.1 VERBATIM)
    list(APPEND scx_compressed ${gz})
    # The program speaks French only: its French pages are also the default ones.
    install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/fr/man1)
endforeach()
set(scx_changelog ${SCX_GENERATED_DIR}/changelog.Debian.gz)
add_custom_command(OUTPUT ${scx_changelog}
    COMMAND gzip -9nc ${SCX_PACKAGING_DIR}/changelog.Debian > ${scx_changelog}
    DEPENDS ${SCX_PACKAGING_DIR}/changelog.Debian VERBATIM)
add_custom_target(scx_packaging_files ALL DEPENDS ${scx_icon_pngs} ${scx_compressed}
                                                  ${scx_changelog})

install(FILES ${SCX_PACKAGING_DIR}/${SCX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SCX_PACKAGING_DIR}/${SCX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${SCX_PACKAGING_DIR}/${SCX_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${SCX_PACKAGING_DIR}/scindarex-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME scindarex-cli)
install(FILES ${SCX_PACKAGING_DIR}/copyright ${scx_changelog}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/scindarex)

# The Debian package: dependencies computed from the binaries, plus what the program loads
# at run time (Qt's French translations, the platform plugins).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scindarex)
set(CPACK_PACKAGE_VENDOR "Scindarex developers")
set(CPACK_PACKAGE_CONTACT "Scindarex developers <paquets@scindarex.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cut files into numbered pieces and join them back")
set(CPACK_PACKAGE_DESCRIPTION "\
Scindarex cuts any file into numbered pieces of a chosen size and joins them
back into the original, byte for byte; sets made by HJSplit can be joined too.
It also makes and extracts package archives (.pck), compares two files byte by
byte and edits a file's dates and attributes. Its interface is in French.
The package holds the desktop program and the command-line tool scindarex-cli.")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
