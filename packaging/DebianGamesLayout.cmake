# Run by CPack on its staged install, before the package is made: Debian puts
# a game's program in /usr/games, where `cmake --install` keeps bin/.
if(CPACK_GENERATOR STREQUAL "DEB")
  file(RENAME ${CPACK_TEMPORARY_DIRECTORY}/usr/bin ${CPACK_TEMPORARY_DIRECTORY}/usr/games)
endif()
