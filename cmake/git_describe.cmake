# Writes OUTPUT with TW_GIT_DESCRIBE, what `git describe` says of the source tree ("" outside a
# git checkout), touching the file only when that changed, so only the file that prints it is
# compiled again. Run at every build by the tw_git_describe target.
execute_process(COMMAND git describe --tags --always --dirty
                WORKING_DIRECTORY ${SOURCE_DIR}
                OUTPUT_VARIABLE describe OUTPUT_STRIP_TRAILING_WHITESPACE
                ERROR_QUIET RESULT_VARIABLE failed)
if(failed)
  set(describe "")
endif()
set(text "#define TW_GIT_DESCRIBE \"${describe}\"\n")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT "${old}" STREQUAL "${text}")
  file(WRITE ${OUTPUT} "${text}")
endif()
