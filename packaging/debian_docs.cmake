# Run by CPack on the staged tree before the package is made: Debian wants
# the licence as "copyright" and a compressed changelog among the documents.
set(docs "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_VERDAN_DOCDIR}")
file(RENAME "${docs}/LICENSE" "${docs}/copyright")
string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE "${docs}/changelog"
     "${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium\n\n"
     "  * Release ${CPACK_PACKAGE_VERSION}.\n\n"
     " -- ${CPACK_PACKAGE_CONTACT}  ${date}\n")
execute_process(COMMAND "${CPACK_VERDAN_GZIP}" -9n "${docs}/changelog" RESULT_VARIABLE packed)
if(NOT packed EQUAL 0)
  message(FATAL_ERROR "the changelog could not be compressed")
endif()
