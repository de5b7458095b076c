# `make package`: a Debian package built by CPack from the install rules.
# Run-time libraries come from the binary (dpkg-shlibdeps); what only makes
# the app nicer is recommended or suggested.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME solitask)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Solitask developers")
set(CPACK_PACKAGE_CONTACT "Solitask developers <packages@solitask.org>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY solitask)
set(CPACK_PACKAGING_INSTALL_PREFIX ${SOLITASK_PACKAGE_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://solitask.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# The icon theme the icons go into, and the Qt plugins that draw the scalable icon.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, libqt6svg6")
# A tray host for desktops without one of their own (GNOME needs the
# extension, bare window managers a stand-alone tray).
set(CPACK_DEBIAN_PACKAGE_SUGGESTS
  "gnome-shell-extension-appindicator | stalonetray | trayer")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "declare the one thing you work on and keep a quiet witness of it")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Solitask is a focus companion for the X11 desktop. Before anything else
counts you declare the one thing you intend to work on; every few minutes
it takes a small captioned frame of the screen (never of private apps),
and about once an hour it asks an outside judge how the frames relate to
what you declared. A day journal shows the solitasks, judged hours and
frames; everything stays on this computer.

The judge is the claude command line of Claude Code, which is not a
Debian package and is installed separately; without it Solitask runs in
switches-only mode and records hours as unwitnessed.")
include(CPack)
