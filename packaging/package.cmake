# The Debian package: `cpack -G DEB` in a build tree. Library dependencies come from dpkg-shlibdeps
# (the program, its audio module and through them Qt's plugins); what the program runs or loads
# by name is listed here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR Pellorin)
set(CPACK_PACKAGE_CONTACT "Pellorin <support@pellorin.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "up-time clock and scheduler for the tray")
set(CPACK_PACKAGE_DESCRIPTION
    "Corvane shows how long the computer has been up, when it started and the\n"
    "time of day in a small window at the top of the screen. From its tray\n"
    "icon's menu one task is scheduled to run when the up time reaches a chosen\n"
    "value: turn off, log off, restart, hibernate, an alert message, a program\n"
    "or a web address.")
list(JOIN CPACK_PACKAGE_DESCRIPTION "" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://pellorin.example/corvane")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xdg-open opens web addresses; the Wayland plugin and the GTK theme are used when present.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-gtk-platformtheme")
# Removal takes the system-wide autostart entry of the removed program with it.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CMAKE_CURRENT_LIST_DIR}/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
