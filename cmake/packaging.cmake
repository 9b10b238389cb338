# The Debian package that scripts/package writes: the files a Linux desktop and Debian expect
# besides the program, and CPack's settings.
include(GNUInstallDirs)

set(staged ${PROJECT_BINARY_DIR}/packaging)
configure_file(resources/morvane.1.in ${staged}/morvane.1 @ONLY)

# Debian wants the manual page and the changelog compressed at the highest level, and without a
# timestamp so that two builds give the same package.
set(compressed)
foreach(file ${staged}/morvane.1 ${PROJECT_SOURCE_DIR}/resources/debian/changelog)
    get_filename_component(name ${file} NAME)
    add_custom_command(OUTPUT ${staged}/${name}.gz
        COMMAND gzip -9nc ${file} > ${staged}/${name}.gz
        DEPENDS ${file})
    list(APPEND compressed ${staged}/${name}.gz)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})

# The metadata's releases and the changelog are written by hand for each version; tests/package.sh
# checks that both name the package's.
install(FILES resources/org.example.morvane.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${staged}/morvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES resources/debian/copyright ${staged}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/morvane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvane)
# All four parts: CPack's default drops the tweak.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Morvane developers")
set(CPACK_PACKAGE_CONTACT "The Morvane developers <morvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "golden-section support and resistance levels of a price movement")
set(CPACK_PACKAGE_DESCRIPTION [[
A one-window tool for stock traders. Type the high and the low of a price
movement and it shows the support levels, counted down from the high, or the
resistance levels, counted up from the low, at 0.191, 0.382, 0.5, 0.618 and
0.809 of the range, always with two decimals. The window is in Chinese.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories as Debian wants them whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the program loads by name at run time, which no library link shows: Qt's X11 platform
# plugin (only recommended by libqt6gui6) and the CJK font the window asks for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
