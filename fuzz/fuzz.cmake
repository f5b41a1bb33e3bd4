# libFuzzer targets (clang, -DTW_FUZZ=ON): the stored-run reader of compare, the command-line
# parser and the settings reader, each linked with the program's libraries built with the
# fuzzer's instrumentation, AddressSanitizer and UndefinedBehaviorSanitizer.
foreach(target compare_json options settings)
  add_executable(fuzz_${target} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/${target}_fuzz.cpp)
  target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(fuzz_${target} PRIVATE tw_cli ${TW_CORE} ${TW_CORE})
endforeach()
