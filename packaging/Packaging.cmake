# The Debian package. `cmake --install <build> --component deb --prefix /usr` lays out its files;
# packaging/make-deb.sh adds the control file and builds the .deb. A plain `cmake --install` (the
# portable Quorvel/ folder of ./run.sh) takes none of them.

# The window icon travels inside the program.
target_sources(quorvel PRIVATE ${PROJECT_SOURCE_DIR}/icons/quorvel.qrc)

set(QUORVEL_DEB COMPONENT deb EXCLUDE_FROM_ALL)
install(TARGETS quorvel RUNTIME DESTINATION lib/quorvel ${QUORVEL_DEB})
# Tells the program its folder belongs to the system, so data goes to each user's data folder.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/installed-as-package DESTINATION lib/quorvel ${QUORVEL_DEB})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/quorvel.desktop DESTINATION share/applications ${QUORVEL_DEB})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION share/doc/quorvel ${QUORVEL_DEB})
install(FILES ${PROJECT_SOURCE_DIR}/icons/quorvel.svg DESTINATION share/icons/hicolor/scalable/apps ${QUORVEL_DEB})
foreach(size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/icons/quorvel-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quorvel.png ${QUORVEL_DEB})
endforeach()
# The launcher on the PATH and the sample pages, written by the program itself so they exist in one place only.
install(CODE "
    set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    file(MAKE_DIRECTORY \"\${root}/bin\")
    file(CREATE_LINK ../lib/quorvel/quorvel \"\${root}/bin/quorvel\" SYMBOLIC)
    execute_process(COMMAND \"\${root}/lib/quorvel/quorvel\" --write-sample-pages \"\${root}/share/quorvel/webpages\"
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR \"The sample pages could not be written (\${status}).\")
    endif()
" ${QUORVEL_DEB})

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE QUORVEL_DEB_ARCH
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT QUORVEL_DEB_ARCH)
    set(QUORVEL_DEB_ARCH amd64)
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/control.in ${CMAKE_BINARY_DIR}/packaging/control @ONLY)
