# Installs the build into a temporary root and checks the file list, then builds the Debian
# package and checks its dependencies and contents.
#   cmake -DBIN=<build dir> -DWORK=<scratch dir> -DGUI=ON|OFF -P install_check.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

set(ENV{DESTDIR} ${WORK}/root)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BIN} --prefix /usr
  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${err}")
endif()
unset(ENV{DESTDIR})

set(want
  usr/bin/velaserver
  usr/bin/velasql
  usr/include/velalink.h
  usr/lib/libvelalink.so
  usr/lib/pkgconfig/velalink.pc
  usr/share/doc/velastudio/licenses.txt)
if(GUI)
  list(APPEND want
    usr/bin/velastudio
    usr/share/applications/velastudio.desktop
    usr/share/icons/hicolor/scalable/apps/velastudio.svg
    usr/share/doc/velastudio/en/vela_cli.pdf
    usr/share/doc/velastudio/fr/vela_cli.pdf
    usr/share/doc/velastudio/jp/vela_cli.pdf
    usr/share/doc/velastudio/zh/vela_cli.pdf)
endif()
list(SORT want)
file(GLOB_RECURSE got LIST_DIRECTORIES false RELATIVE ${WORK}/root ${WORK}/root/*)
list(SORT got)
if(NOT got STREQUAL want)
  message(FATAL_ERROR "installed files differ\n  got:  ${got}\n  want: ${want}")
endif()

file(READ ${WORK}/root/usr/lib/pkgconfig/velalink.pc pc)
if(NOT pc MATCHES "prefix=\\\${pcfiledir}/\\.\\./\\.\\.\n" OR NOT pc MATCHES "Libs: -L\\\${libdir} -lvelalink")
  message(FATAL_ERROR "velalink.pc is wrong:\n${pc}")
endif()
foreach(f ${want})
  file(SIZE ${WORK}/root/${f} size)
  if(size EQUAL 0)
    message(FATAL_ERROR "${f} is empty")
  endif()
endforeach()

# The package: same files under /usr, and the Debian packages it needs.
find_program(DPKG_DEB dpkg-deb)
if(NOT DPKG_DEB)
  message(STATUS "dpkg-deb not found; package not checked")
  return()
endif()
# Packed from the tree installed above, so that packing builds nothing of its own.
file(WRITE ${WORK}/pack.cmake "include(${BIN}/CPackConfig.cmake)
set(CPACK_INSTALL_CMAKE_PROJECTS \"\")
set(CPACK_INSTALLED_DIRECTORIES \"${WORK}/root;.\")
")
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${WORK}/pack.cmake -B ${WORK}/pkg
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed: ${out}${err}")
endif()
file(GLOB debs ${WORK}/pkg/*.deb)
list(LENGTH debs n)
if(NOT n EQUAL 1)
  message(FATAL_ERROR "expected one .deb, got: ${debs}")
endif()
execute_process(COMMAND ${DPKG_DEB} -f ${debs} Depends OUTPUT_VARIABLE depends)
foreach(dep libqt5widgets5 libqt5svg5 libqt5printsupport5 libsqlite3-0 libpcre2-8-0)
  if(GUI OR NOT dep MATCHES "qt5")
    if(NOT depends MATCHES "${dep}")
      message(FATAL_ERROR "Depends lacks ${dep}: ${depends}")
    endif()
  endif()
endforeach()
execute_process(COMMAND ${DPKG_DEB} -x ${debs} ${WORK}/deb RESULT_VARIABLE rc)
file(GLOB_RECURSE in_deb LIST_DIRECTORIES false RELATIVE ${WORK}/deb ${WORK}/deb/*)
list(SORT in_deb)
if(NOT in_deb STREQUAL want)
  message(FATAL_ERROR "package files differ\n  got:  ${in_deb}\n  want: ${want}")
endif()
file(REMOVE_RECURSE ${WORK})
