# The Debian package of the program: `cpack -G DEB` in a build folder (scripts/package.sh
# builds one and checks it). Installs under /usr from the rules in packaging/CMakeLists.txt.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "corvane")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Corvane project")
# The address the README gives for fault reports.
set(CPACK_PACKAGE_CONTACT "Corvane project <support@corvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "PC companion of the Corvane vehicle-diagnostic unit")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
# Directories in the package are 0755 whatever the umask of the machine that builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "electronics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# Lines of at most 80 characters, as Debian's tools show them.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The PC side of the Corvane handheld vehicle-diagnostic unit. The unit is
attached by a serial line or by USB and leads the conversation; the program
becomes its screen, keyboard and disk: it mirrors the unit's menu and pages in
one window, hands the user's choices back to the unit and saves the files and
reports the unit sends.
The package also holds corvane-unit, a simulated unit that plays back the link
traces the program writes, and the udev rule that gives the logged-in user
access to the unit's USB port.")
# The libraries the programs link against, found by dpkg-shlibdeps; the fonts the skin names
# are found at run time and are not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core")
# udev applies the packaged rule (the unit's port for the logged-in user) and reports the unit
# plugged in and out; without it the program still runs on ports the user may open.
# Qt's own catalogues: the file dialogs in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udev, qt6-translations-l10n")

include(CPack)
