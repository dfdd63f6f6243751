# `cmake --install build --prefix DIR`: the programs and their data together in
# DIR/lib/skullgnawer (the game finds its data beside itself), a launcher in DIR/bin and a menu
# entry in DIR/share/applications. The marker file sends the settings to the user's config home,
# as the installed data may be read-only.
set(SKULL_INSTALL_DIR lib/skullgnawer)
install(TARGETS skullgnawer skullgnawer-headless skullgnawer-server RUNTIME DESTINATION ${SKULL_INSTALL_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/gfx ${CMAKE_BINARY_DIR}/anim ${CMAKE_BINARY_DIR}/music
                  ${CMAKE_BINARY_DIR}/sfx
        DESTINATION ${SKULL_INSTALL_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/cmake/installed DESTINATION ${SKULL_INSTALL_DIR})
# The prefix is only known at install time, so the launcher link and the entry are made then.
install(CODE [[
  set(bin "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
  file(MAKE_DIRECTORY "${bin}")
  file(CREATE_LINK ../lib/skullgnawer/skullgnawer "${bin}/skullgnawer" SYMBOLIC)
  set(apps "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications")
  file(MAKE_DIRECTORY "${apps}")
  file(WRITE "${apps}/skullgnawer.desktop" "[Desktop Entry]
Type=Application
Name=SKULLGNAWER
Comment=One-button party game for two to four players against a zombie horde
Exec=${CMAKE_INSTALL_PREFIX}/bin/skullgnawer
Terminal=false
Categories=Game;ActionGame;
")
  message(STATUS "Installing: ${bin}/skullgnawer and ${apps}/skullgnawer.desktop")
]])
