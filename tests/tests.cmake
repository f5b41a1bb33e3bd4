# Test suites: one executable per subsystem, built from tests/<suite>/*_test.cpp and linked
# against the libraries it names. Suites that talk to the operating system through a fake link
# tw_platform_fake (tests/fakes) instead of the real platform library.
enable_testing()
if(CMAKE_CROSSCOMPILING)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

file(GLOB fake_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/fakes/*.cpp)
if(fake_files)
  add_library(tw_platform_fake STATIC ${fake_files})
else()
  add_library(tw_platform_fake STATIC ${CMAKE_CURRENT_SOURCE_DIR}/cmake/empty.cpp)
endif()

add_library(tw_test_support INTERFACE)
target_compile_definitions(tw_test_support INTERFACE
    TW_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/data")

set(TW_SERIAL_SUITES engine run cli)
function(tw_test suite)
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/${suite}/*.cpp)
  if(NOT files)
    return()
  endif()
  add_executable(${suite}_tests ${files})
  # Libraries twice: the subsystems call each other in both directions.
  target_link_libraries(${suite}_tests PRIVATE ${ARGN} ${ARGN} tw_test_support GTest::gtest_main)
  # Suites that time real kernels run alone, so two measurements never share the two cores.
  if(suite IN_LIST TW_SERIAL_SUITES)
    gtest_discover_tests(${suite}_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES RUN_SERIAL TRUE)
  else()
    gtest_discover_tests(${suite}_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# suite     libraries, users first, the platform (real or fake) last
tw_test(text     tw_text)
tw_test(colours  tw_dialogs tw_text)
tw_test(cpu      tw_cpu tw_text tw_platform_fake)
tw_test(timer    tw_engine tw_cpu tw_text tw_platform_fake)
tw_test(startup  tw_app tw_report tw_engine tw_cpu tw_text tw_platform_fake)
tw_test(platform tw_platform)
tw_test(engine   tw_engine tw_cpu tw_text tw_platform)
tw_test(chart    tw_chart tw_dialogs tw_engine tw_cpu tw_text tw_platform_fake)
tw_test(run      tw_app tw_chart tw_dialogs tw_engine tw_cpu tw_text tw_platform)
tw_test(rules    tw_app tw_chart tw_dialogs tw_engine tw_cpu tw_text tw_platform_fake)
tw_test(report   tw_cli tw_report tw_app tw_chart tw_dialogs tw_engine tw_cpu tw_text tw_platform)
tw_test(settings tw_dialogs tw_text tw_platform)
tw_test(cli      tw_cli tw_app tw_report tw_dialogs tw_chart tw_engine tw_cpu tw_text tw_platform)

# The end-to-end driver of the window program; scripts/test-gui.sh runs it under Wine.
if(WIN32)
  add_executable(gui_driver tests/gui/driver_win32.cpp tests/gui/layout_win32.cpp
                            tests/gui/probe_win32.cpp tests/gui/dialogs_checks_win32.cpp
                            tests/gui/help_checks_win32.cpp)
endif()

# The program itself with standard output on a full device, in every mode (POSIX only).
if(NOT CMAKE_CROSSCOMPILING)
  add_test(NAME CliStandardOutputLoss
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/cli/standard_output_test.sh
                   $<TARGET_FILE:tidewell32>)
  set_tests_properties(CliStandardOutputLoss PROPERTIES RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
endif()
