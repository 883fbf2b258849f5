# The Debian package, made by CPack's DEB generator (scripts/package runs it).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvex)
set(CPACK_PACKAGE_VENDOR "Tam Lofgren")
set(CPACK_PACKAGE_CONTACT "Tam Lofgren <tamlo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "telemetry decoder for the Orvex amateur satellite")
# The synopsis is the summary above; CPack indents these lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
Orvex opens a ground station's KISS log (.kss) of the Orvex satellite's
downlink, decodes its thirteen frame types, shows the 38 calibrated
telemetry channels of one record at a time and charts one channel's
history. Beside the log it writes a readable report (.tlm) and a
semicolon-separated export of the whole-orbit data (.csv).

The package holds the window (orvex), the same decoding without the
window (orvex-decode), and a generator of realistic logs (orvex-synth).]=])
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tamlo.example.org")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The libraries' packages come from dpkg-shlibdeps; libqt6gui6 holds the
# platform plugins the window needs (xcb, offscreen). What Qt loads only at
# run time is named here: the SQLite driver of the archive and of the queue
# of frames to share, and OpenSSL, which Qt's TLS plugin loads for HTTPS.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libssl3")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
