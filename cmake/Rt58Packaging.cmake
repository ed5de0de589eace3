# The Debian package, made by `cpack` in the build folder. It holds what
# `cmake --install` installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rt58)
set(CPACK_PACKAGE_VENDOR "RT-58A Calibration System")
set(CPACK_PACKAGE_CONTACT "RT-58A Calibration System maintainers <rt58@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Control program of the RT-58A portable vibration calibrator")
set(CPACK_PACKAGE_DESCRIPTION
    "RT-58 connects to the RT-58A calibrator over a serial port, runs a test scheme of\n\
amplitude/frequency points, shows the sensitivity of every point in a table and on\n\
a frequency-sensitivity curve and exports the results as a Word report.\n\
The simulated calibrator rt58-sim is included.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY rt58)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The libraries the programs link (Qt 5, QuaZip, pugixml, the C++ runtime) are
# found by dpkg-shlibdeps with their minimum versions (pugixml as
# libpugixml1v5); the font that the Chinese texts need, Qt's own Chinese
# catalogue (the standard dialogs' texts) and the SQLite driver of Qt SQL (a
# plugin that keeps the lab records) are loaded at run time and so named here.
# The PostgreSQL driver is needed only by stations that share a server.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-zenhei, qttranslations5-l10n, libqt5sql5-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt5sql5-psql")
include(CPack)
