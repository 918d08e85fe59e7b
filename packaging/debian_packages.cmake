# Debian's split: the programs, the shared library named after its soname,
# and what building against the library needs.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(VERDAN_MAINTAINER "VERDAN companion programs authors <verdan-authors@example.org>"
    CACHE STRING "The Maintainer field of the Debian packages")
set(CPACK_PACKAGE_CONTACT ${VERDAN_MAINTAINER})
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
get_target_property(soversion verdan SOVERSION)
set(library_package libverdan${soversion})
set(exact_library "${library_package} (= ${PROJECT_VERSION})")

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME verdan)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION
    "companion programs of the VERDAN frame analysis
VDN-GENE generates the input of the plane-frame analysis program for a
regular building frame or a grid of beams; VDN-CNTL keeps its settings and
manages the data directory; VDN-PLOT draws a generated frame for a plot
device. Full-screen 80 x 24 text-console programs in Japanese, also usable
headless from scripts.")
# Libraries' own dependencies; VDN-PLOT's library from this very build; the
# font that screen pictures are drawn with.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/lib)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS "${exact_library}, unifont")
# The window front end opens SDL2 when asked for; the library is not linked.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_RECOMMENDS libsdl2-2.0-0)

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME ${library_package})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION
    "VERDAN routine library
Plot streams, console drawing and JW_CAD conversion of the VERDAN companion
programs, with a C interface. This package holds the shared library that
programs built against it need at run time.")
# The library's dependencies come from dpkg-shlibdeps in debian_docs.cmake:
# CPack would add maintainer scripts calling ldconfig, which the trigger
# replaces. The shlibs and symbols files tell dependants which version they
# need.
configure_file(libverdan.shlibs.in ${CMAKE_CURRENT_BINARY_DIR}/library/shlibs @ONLY)
configure_file(libverdan.symbols.in ${CMAKE_CURRENT_BINARY_DIR}/library/symbols @ONLY)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_BINARY_DIR}/library/shlibs ${CMAKE_CURRENT_BINARY_DIR}/library/symbols
    ${CMAKE_CURRENT_SOURCE_DIR}/triggers)

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libverdan-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS ${exact_library})
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "VERDAN routine library (development files)
Plot streams, console drawing and JW_CAD conversion of the VERDAN companion
programs, with a C interface. This package holds the header, the CMake and
pkg-config files and examples for building programs against the library.")

# Each package's copyright (machine-readable) and changelog, and the
# library's dependencies, written into the staged trees.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/debian_docs.cmake)
set(CPACK_VERDAN_LIBDIR ${CMAKE_INSTALL_LIBDIR})
set(CPACK_VERDAN_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_VERDAN_GZIP ${VERDAN_GZIP})
