# Windows: an installer (NSIS, which Debian carries as makensis) into
# Program Files\VERDAN with Start-menu shortcuts and an uninstaller, and a
# plain zip of the same files.
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_INSTALL_DIRECTORY VERDAN)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "companion programs of the VERDAN frame analysis")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "VERDAN companion programs ${PROJECT_VERSION}")
set(CPACK_NSIS_PACKAGE_NAME VERDAN)
# The Start-menu folder is VERDAN; the programs are console programs, so
# their shortcuts open a console window.
set(CPACK_PACKAGE_EXECUTABLES VDN-GENE VDN-GENE VDN-CNTL VDN-CNTL)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_COMPONENT_PROGRAMS_DISPLAY_NAME "Programs")
set(CPACK_COMPONENT_PROGRAMS_DESCRIPTION "VDN-GENE, VDN-CNTL and VDN-PLOT, the licence and the guides")
set(CPACK_COMPONENT_PROGRAMS_REQUIRED ON)
set(CPACK_COMPONENT_PROGRAMS_DEPENDS library)
set(CPACK_COMPONENT_LIBRARY_DISPLAY_NAME "verdan.dll")
set(CPACK_COMPONENT_LIBRARY_DESCRIPTION "The routine library the programs use")
set(CPACK_COMPONENT_LIBRARY_REQUIRED ON)
set(CPACK_COMPONENT_DEVELOPMENT_DISPLAY_NAME "Development files")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION "The header, the import library and examples, to build against verdan.dll")
set(CPACK_COMPONENT_DEVELOPMENT_DISABLED ON)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS library)
# The zip holds every file, as one folder.
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_PACKAGE_FILE_NAME verdan-${PROJECT_VERSION}-windows-x64)
# A 64-bit installer for the 64-bit programs, from makensis's own stubs.
# CPack has no setting for NSIS's Target; it goes beside SetCompressor,
# which must come before any data too.
set(CPACK_NSIS_COMPRESSOR "lzma\n  Target amd64-unicode")
