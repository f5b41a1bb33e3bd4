# Installation (cmake --install, DESTDIR honoured) and the packages CPack makes of it:
# on Linux a .deb (cpack -G DEB) with the program, its man page, bash completion and docs;
# for Windows a zip (cpack -G ZIP) with both programs, the help files and the licence.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME tidewell32)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tidewell 32 developers")
set(CPACK_PACKAGE_CONTACT "Tidewell 32 developers <maintainers@tidewell32.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "benchmark of the memory hierarchy of x86 processors")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64")
    set(TW_WINDOWS_ARCH win64)
  else()
    set(TW_WINDOWS_ARCH win32)
  endif()
  install(TARGETS tidewell32_gui RUNTIME DESTINATION .)
  # Windows names files without regard to case: the command-line tidewell32.exe beside the
  # window's Tidewell32.exe would replace it, so it has a folder of its own.
  install(TARGETS tidewell32 RUNTIME DESTINATION cli)
  install(FILES ${TW_HELP_DIR}/tw32eng.chm ${TW_HELP_DIR}/tw32rus.chm DESTINATION .)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt ${CMAKE_BINARY_DIR}/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME Tidewell32-${PROJECT_VERSION}-${TW_WINDOWS_ARCH})
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  include(CPack)
  return()
endif()

install(TARGETS tidewell32 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tidewell32.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tidewell32)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE
              ${CMAKE_CURRENT_SOURCE_DIR}/tools/FONT-LICENSE
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# Debian looks for the licence as copyright, beside a compressed changelog.
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR}
        RENAME copyright)

# The man page: the program's own --help and --version through help2man, with the sections
# --help lacks from tidewell32.h2m; compressed, as Debian keeps man pages.
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${CMAKE_BINARY_DIR}/changelog.txt @ONLY)
find_program(TW_HELP2MAN help2man)
find_program(TW_GZIP gzip)
if(TW_HELP2MAN AND TW_GZIP)
  set(man ${CMAKE_BINARY_DIR}/tidewell32.1)
  add_custom_command(
      OUTPUT ${man}.gz ${CMAKE_BINARY_DIR}/changelog.gz
      COMMAND ${TW_HELP2MAN} --no-info --section=1 "--source=Tidewell 32"
              --include=${CMAKE_CURRENT_LIST_DIR}/tidewell32.h2m --output=${man}
              $<TARGET_FILE:tidewell32>
      COMMAND ${TW_GZIP} -9nf ${man}
      COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/changelog.txt
              ${CMAKE_BINARY_DIR}/changelog
      COMMAND ${TW_GZIP} -9nf ${CMAKE_BINARY_DIR}/changelog
      DEPENDS tidewell32 ${CMAKE_CURRENT_LIST_DIR}/tidewell32.h2m ${CMAKE_BINARY_DIR}/changelog.txt
      COMMENT "Man page tidewell32.1 from --help"
      VERBATIM)
  add_custom_target(tw_man ALL DEPENDS ${man}.gz)
  install(FILES ${man}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
else()
  message(STATUS "help2man or gzip not found: no man page (scripts/setup.sh installs help2man)")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tidewell32.example/")
set(CPACK_PACKAGE_DESCRIPTION
    "It times, with the time-stamp counter, how fast the processor reads, writes\n"
    "and copies blocks from 4 KB to 1 GB with 32-bit, MMX, SSE, AVX and AVX-512\n"
    "transfers, and measures read latency by pointer chasing. Further modes\n"
    "measure memory under load from the other cores, the bandwidth of all cores,\n"
    "core-to-core latency, memory nodes, and the cache levels a core really gets.\n"
    "Results come as tables, CSV, JSON and HTML reports.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
include(CPack)
