# Run by CPack on the staged trees before the packages are made. Each
# package gets a machine-readable copyright and a compressed changelog in
# its documents; the library package gets its dependencies from
# dpkg-shlibdeps.
string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
string(TIMESTAMP year "%Y" UTC)
file(STRINGS "${CPACK_VERDAN_LICENSE}" licence_lines)
list(POP_FRONT licence_lines licence_title)
set(licence "")
foreach(line IN LISTS licence_lines)
  if(line MATCHES "^Copyright")
    continue()
  elseif(line STREQUAL "")
    string(APPEND licence " .\n")
  else()
    string(APPEND licence " ${line}\n")
  endif()
endforeach()
string(REGEX REPLACE "^ \\.\n" "" licence "${licence}")

foreach(component IN LISTS CPACK_COMPONENTS_ALL)
  string(TOUPPER ${component} upper)
  set(package ${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
  set(root "${CPACK_TEMPORARY_DIRECTORY}/${component}${CPACK_PACKAGING_INSTALL_PREFIX}")
  set(docs "${root}/share/doc/${package}")
  file(MAKE_DIRECTORY "${docs}")
  # The licence text is in the copyright file.
  file(REMOVE "${docs}/LICENSE")
  file(WRITE "${docs}/copyright"
       "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
       "Upstream-Name: ${CPACK_PACKAGE_NAME}\n\n"
       "Files: *\n"
       "Copyright: ${year} ${CPACK_PACKAGE_VENDOR}\n"
       "License: Expat\n\n"
       "License: Expat\n${licence}")
  file(WRITE "${docs}/changelog"
       "${package} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium\n\n"
       "  * Release ${CPACK_PACKAGE_VERSION}.\n\n"
       " -- ${CPACK_PACKAGE_CONTACT}  ${date}\n")
  execute_process(COMMAND "${CPACK_VERDAN_GZIP}" -9nf "${docs}/changelog" RESULT_VARIABLE packed)
  if(NOT packed EQUAL 0)
    message(FATAL_ERROR "the changelog of ${package} could not be compressed")
  endif()
endforeach()

# The library's own dependencies, found as CPack would find them.
set(staged "${CPACK_TEMPORARY_DIRECTORY}/library")
file(GLOB library "${staged}${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_VERDAN_LIBDIR}/libverdan.so.*.*")
file(WRITE "${staged}/debian/control" "")
execute_process(COMMAND dpkg-shlibdeps -O ${library} WORKING_DIRECTORY "${staged}"
                OUTPUT_VARIABLE depends RESULT_VARIABLE found ERROR_VARIABLE why)
file(REMOVE_RECURSE "${staged}/debian")
if(NOT found EQUAL 0 OR NOT depends MATCHES "shlibs:Depends=")
  message(FATAL_ERROR "dpkg-shlibdeps found no dependencies of ${library}: ${why}")
endif()
string(REGEX REPLACE ".*shlibs:Depends=([^\n]*).*" "\\1" CPACK_DEBIAN_LIBRARY_PACKAGE_DEPENDS "${depends}")
