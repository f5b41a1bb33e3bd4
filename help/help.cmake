# The help files that the Help menu opens by name, tw32eng.chm and tw32rus.chm, compiled from
# the pages under help/en and help/ru with chmcmd (Debian package fp-utils). In the Windows
# builds they go beside the window program, into gui/; the native build makes them too, for
# their test. Without chmcmd the configuration stops: a build without its help is incomplete.
find_program(TW_CHMCMD chmcmd)
find_program(TW_CHMLS chmls)
if(NOT TW_CHMCMD OR NOT TW_CHMLS)
  message(FATAL_ERROR
      "chmcmd and chmls were not found. They compile and check the help files tw32eng.chm "
      "and tw32rus.chm; install the Debian package fp-utils (scripts/setup.sh does).")
endif()

if(WIN32)
  set(TW_HELP_DIR ${CMAKE_BINARY_DIR}/gui)
else()
  set(TW_HELP_DIR ${CMAKE_BINARY_DIR}/help)
endif()

# One help file from the project file help/<language>/<name>.hhp, which names <name>.chm as
# its compiled file.
function(tw_help_file language name)
  set(sources_dir ${CMAKE_CURRENT_SOURCE_DIR}/help/${language})
  file(GLOB sources CONFIGURE_DEPENDS ${sources_dir}/*)
  add_custom_command(
      OUTPUT ${TW_HELP_DIR}/${name}.chm
      COMMAND ${CMAKE_COMMAND} -DCHMCMD=${TW_CHMCMD} -DPROJECT=${sources_dir}/${name}.hhp
              -DOUTPUT=${TW_HELP_DIR}/${name}.chm
              -P ${CMAKE_CURRENT_SOURCE_DIR}/help/compile_chm.cmake
      DEPENDS ${sources} ${CMAKE_CURRENT_SOURCE_DIR}/help/compile_chm.cmake
      COMMENT "Compiling help file ${name}.chm"
      VERBATIM)
endfunction()

tw_help_file(en tw32eng)
tw_help_file(ru tw32rus)
add_custom_target(tw_help ALL DEPENDS ${TW_HELP_DIR}/tw32eng.chm ${TW_HELP_DIR}/tw32rus.chm)

add_test(NAME help_files
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/help/check_chm.sh ${TW_CHMLS}
                 ${TW_HELP_DIR}/tw32eng.chm ${TW_HELP_DIR}/tw32rus.chm)
