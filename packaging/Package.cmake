# The installed layout and the Debian package. `cmake --install <dir>` puts the programs (their
# own install rules), the manual pages, the desktop entry, the icons, the AppStream metainfo and
# the copyright and changelog under the prefix; `cmake --build <dir> --target package` makes
# ledra_<version>_<arch>.deb of the same files below /usr.
# Not in the sanitizer builds, whose icon renderer would stop the build on a leak report from
# the libraries it loads.
if(NOT LEDRA_GUI OR LEDRA_SANITIZE)
    return()
endif()

# Names the project has to publish under. They are placeholders until the project has a home;
# each is set here once and used by every file below.
set(LEDRA_APP_ID "org.example.ledra" CACHE STRING "AppStream component id (reverse DNS)")
set(LEDRA_HOMEPAGE "https://ledra.example.org/" CACHE STRING "The project's home page")
set(LEDRA_SCREENSHOT_URL "${LEDRA_HOMEPAGE}money-view.png" CACHE STRING
    "Where docs/money-view.png is published, for software centres")
set(LEDRA_MAINTAINER "Ledra developers <ledra@example.org>" CACHE STRING
    "Maintainer of the Debian package")

set(pkgsrc ${PROJECT_SOURCE_DIR}/packaging)
set(pkgout ${PROJECT_BINARY_DIR}/packaging)
set(LEDRA_ICON_SIZES 16 22 24 32 48 64 128 256)

# Manual pages with the version filled in, and the changelog, compressed as Debian wants them.
set(gzipped)
foreach(page ledra.1 ledra-export.1)
    configure_file(${PROJECT_SOURCE_DIR}/docs/man/${page} ${pkgout}/man/${page} @ONLY)
    list(APPEND gzipped ${pkgout}/man/${page})
endforeach()
configure_file(${pkgsrc}/changelog ${pkgout}/doc/changelog COPYONLY)
list(APPEND gzipped ${pkgout}/doc/changelog)
set(gzipped_out)
foreach(file ${gzipped})
    add_custom_command(OUTPUT ${file}.gz COMMAND gzip -9nkf ${file} DEPENDS ${file} VERBATIM)
    list(APPEND gzipped_out ${file}.gz)
endforeach()

# The hicolor PNG sizes, rendered from the SVG that the viewer shows.
set(icons)
foreach(size ${LEDRA_ICON_SIZES})
    list(APPEND icons ${pkgout}/icons/${size}x${size}/apps/ledra.png)
endforeach()
add_custom_command(OUTPUT ${icons}
                   COMMAND render-icon ${PROJECT_SOURCE_DIR}/resources/icons/ledra.svg
                           ${pkgout}/icons ledra ${LEDRA_ICON_SIZES}
                   DEPENDS render-icon ${PROJECT_SOURCE_DIR}/resources/icons/ledra.svg
                   COMMENT "Rendering the hicolor icons" VERBATIM)

set(metainfo ${pkgout}/${LEDRA_APP_ID}.metainfo.xml)
configure_file(${pkgsrc}/ledra.metainfo.xml.in ${metainfo} @ONLY)

add_custom_target(ledra_install_files ALL DEPENDS ${gzipped_out} ${icons})

install(FILES ${PROJECT_SOURCE_DIR}/resources/ledra.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/ledra.svg
        DESTINATION share/icons/hicolor/scalable/apps)
install(DIRECTORY ${pkgout}/icons/ DESTINATION share/icons/hicolor)
install(FILES ${metainfo} DESTINATION share/metainfo)
install(FILES ${pkgout}/man/ledra.1.gz ${pkgout}/man/ledra-export.1.gz DESTINATION share/man/man1)
install(FILES ${pkgsrc}/copyright ${pkgout}/doc/changelog.gz DESTINATION share/doc/ledra)
install(FILES ${pkgsrc}/lintian-overrides DESTINATION share/lintian/overrides RENAME ledra)

# A stripped install (the package's) also drops the compiler's notes, as Debian's own tools do.
# The programs' own install rules have run by now: this file is included last.
if(CMAKE_OBJCOPY)
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            foreach(program ledra ledra-export)
                execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                                        --remove-section=.note
                                        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/\${program}\"
                                COMMAND_ERROR_IS_FATAL ANY)
            endforeach()
        endif()")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ledra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Ledra developers")
set(CPACK_PACKAGE_CONTACT ${LEDRA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "read-only viewer for a Palm OS handheld's money records")
# The extended description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Ledra opens the four Palm database files that a handheld's desktop sync
software leaves in a BACKUP folder per handheld user, and shows the
transactions in storage order or summed per month, quarter or year,
narrowed to income or expense, a category, a transaction type, payment
type, currency and date range, with a total in a favourite currency.
It lists the transaction types, payment types and currencies, and exports
what is shown as CSV. ledra-export writes the same lists without a
window. Ledra never writes a database.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${LEDRA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
