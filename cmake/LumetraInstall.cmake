# What `cmake --install` puts where (the standard places under CMAKE_INSTALL_PREFIX): the
# programs, the desktop entry, the icon in the hicolor theme, the AppStream metainfo, the man
# pages and the sample job. Other folders add the install rules of their own programs next to
# them; the Debian package (LumetraPackage.cmake) takes everything that is installed.
include(GNUInstallDirs)

set(LUMETRA_DOCDIR "${CMAKE_INSTALL_DATADIR}/doc/lumetra")
set(lumetra_data "${PROJECT_SOURCE_DIR}/data")

install(TARGETS lumetra lumetra-componi lumetra-pubinfo
        RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

install(FILES "${lumetra_data}/it.lumetra.Lumetra.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${lumetra_data}/it.lumetra.Lumetra.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${lumetra_data}/icons/lumetra.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(DIRECTORY "${lumetra_data}/icons/hicolor/"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor"
        FILES_MATCHING PATTERN "*.png")

# Man pages, compressed as Debian installs them.
set(lumetra_man_pages lumetra.1 lumetra-componi.1 lumetra-pubinfo.1)
set(lumetra_man_gz)
foreach(page IN LISTS lumetra_man_pages)
  set(gz "${PROJECT_BINARY_DIR}/man/${page}.gz")
  add_custom_command(OUTPUT "${gz}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${PROJECT_BINARY_DIR}/man"
    COMMAND gzip -9 -n -c "${lumetra_data}/man/${page}" > "${gz}"
    DEPENDS "${lumetra_data}/man/${page}"
    VERBATIM)
  list(APPEND lumetra_man_gz "${gz}")
endforeach()
add_custom_target(lumetra_man_pages ALL DEPENDS ${lumetra_man_gz})
install(FILES ${lumetra_man_gz} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

# The sample job: a layout and 30 photos.
install(FILES "${PROJECT_SOURCE_DIR}/examples/README.md"
              "${PROJECT_SOURCE_DIR}/examples/catalogo-a4.pub"
        DESTINATION "${LUMETRA_DOCDIR}/examples")
install(DIRECTORY "${PROJECT_SOURCE_DIR}/examples/foto"
        DESTINATION "${LUMETRA_DOCDIR}/examples")

include("${CMAKE_CURRENT_LIST_DIR}/LumetraPackage.cmake")
