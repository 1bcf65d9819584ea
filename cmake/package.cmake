# What a Windows user downloads: miruteka.exe, its help page and a short read-me in Japanese
# and in English, and the licence, in one ZIP, flat, so the user unzips it into the folder the program is to live in. The
# texts get Windows line ends.
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/package/LICENSE
    @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/res/README.txt.in ${CMAKE_BINARY_DIR}/package/README.txt
    @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/res/README-en.txt.in
    ${CMAKE_BINARY_DIR}/package/README-en.txt @ONLY NEWLINE_STYLE CRLF)

install(TARGETS miruteka RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/res/help.html ${PROJECT_SOURCE_DIR}/res/help-en.html
    ${CMAKE_BINARY_DIR}/package/LICENSE ${CMAKE_BINARY_DIR}/package/README.txt
    ${CMAKE_BINARY_DIR}/package/README-en.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME miruteka)
set(CPACK_PACKAGE_VENDOR "ミルテカ開発チーム")
set(CPACK_PACKAGE_FILE_NAME miruteka-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_ARCHIVE_THREADS 1)
include(CPack)
