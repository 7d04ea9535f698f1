# The release a Windows user takes: a zip of the program, its guide and a readme, with its
# SHA-256 beside it (cpack --preset mingw). The files sit at the zip's top level, so that
# Explorer's "Extract All" gives one folder, named after the zip.
install(TARGETS velmora RUNTIME DESTINATION .)
if(VELMORA_HELP_PDF)
    install(FILES ${VELMORA_HELP_PDF} DESTINATION .)
endif()
# Notepad on older Windows shows a file with bare LF line ends as one line.
configure_file(docs/README-release.txt ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(velmoraPlatform win64)
else()
    set(velmoraPlatform win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_FILE_NAME Velmora-${PROJECT_VERSION}-${velmoraPlatform})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
