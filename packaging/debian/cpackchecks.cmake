# Run by cpack before it packs: a Debian package is only made where dpkg-shlibdeps can tell
# the libraries it needs, never one without dependencies.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(MARBLES_DPKG_SHLIBDEPS dpkg-shlibdeps)
  if(NOT MARBLES_DPKG_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps not found: install dpkg-dev (scripts/debian-package.sh does), "
                        "or the package would declare no dependencies")
  endif()
endif()
