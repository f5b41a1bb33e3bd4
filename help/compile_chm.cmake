# cmake -DCHMCMD=... -DPROJECT=dir/name.hhp -DOUTPUT=outdir/name.chm -P compile_chm.cmake
# chmcmd writes the compiled file into its working directory and takes the pages from the
# project file's folder. It can leave an empty or partial file behind when it fails (an
# unreadable page, a crash of its indexer), so a failure removes the output and stops the
# build with chmcmd's own words. Its warnings count as failures too: they name links to
# pages that do not exist.
get_filename_component(output_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_dir})
execute_process(COMMAND ${CHMCMD} ${PROJECT}
                WORKING_DIRECTORY ${output_dir}
                RESULT_VARIABLE result
                OUTPUT_VARIABLE log
                ERROR_VARIABLE log)
if(EXISTS ${OUTPUT})
  file(SIZE ${OUTPUT} size)
else()
  set(size 0)
endif()
if(NOT result EQUAL 0 OR size EQUAL 0 OR log MATCHES "Warning:")
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "chmcmd ${PROJECT} failed (exit status ${result}):\n${log}")
endif()
