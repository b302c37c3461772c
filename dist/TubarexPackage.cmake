# The Debian package (make package): CPack's DEB generator over the install
# rules, installed in /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tubarex)
set(CPACK_PACKAGE_VENDOR "The Tubarex developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "head losses in water and gas pipe networks")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries from the executables' own links; the fonts the documents and
# the printer listings are measured against; the word-processor documents
# are opened through xdg-open, the splash music played by timidity, Qt's
# dialogs translated by the Qt translations.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-urw-base35, fonts-liberation2, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timidity, xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tubarex computes, segment by segment and on every keystroke, the head
losses of water networks in pressurised pipes (Darcy's formula, fittings
as equivalent lengths) and of methane or LPG networks in pipes of the
commercial inch series, with the progressive total.
.
One data file holds both networks and the project identification. The
program prints tables, blank data forms and a technical report on the
printer or as PDF, and writes the same documents as .docx files. Its
user interface is Italian; tubarex-cli computes, checks and prints the
data files without any window.")
include(CPack)
