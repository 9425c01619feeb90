# `make package`: lindel_VERSION_amd64.deb with everything `cmake --install`
# puts in place; the libraries it needs are read off the programs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lindel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lindel")
set(CPACK_PACKAGE_CONTACT "Lindel developers <developers@lindel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and librarian of G-Major guitar effects presets")
set(CPACK_PACKAGE_DESCRIPTION
    "Edits the presets of a G-Major over MIDI, block by block, keeps every preset in a library, \
arranges the device's user slots in banks, and shares presets through a database server. \
Includes lindel-cli, a simulated G-Major and the database server.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
