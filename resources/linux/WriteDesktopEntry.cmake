# Run by cmake --install: the desktop entry names the program where it was just
# installed, which only the install step knows (--prefix may differ from the
# configured prefix).
set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/quorvel.desktop")
set(QUORVEL_INSTALLED_PROGRAM "${CMAKE_INSTALL_PREFIX}/Quorvel/quorvel")
message(STATUS "Installing: ${entry}")
configure_file("${CMAKE_CURRENT_LIST_DIR}/quorvel.desktop.in" "${entry}" @ONLY)
