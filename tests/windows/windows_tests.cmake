# The Windows unit tests: GoogleTest built from Debian's sources, the tests
# that need no POSIX host and those of the Windows host services, in one
# program run under wine (one start of wine, not one per test).
set(gtest_source /usr/src/googletest CACHE PATH "GoogleTest sources (Debian's googletest package)")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${gtest_source} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(portable_tests
  platform/cp932_test.cpp platform/screen_model_test.cpp platform/screen_damage_test.cpp
  platform/unexpected_end_test.cpp platform/console_choice_test.cpp
  platform/interactive_console_test.cpp platform/write_behind_test.cpp platform/padded_sink_test.cpp
  shared/free_format_test.cpp shared/integer_field_test.cpp
  shared/leading_number_test.cpp shared/print_test.cpp shared/screen_draw_test.cpp
  shared/small_routines_test.cpp
  control/index_entry_test.cpp control/listing_join_test.cpp control/dated_listing_test.cpp
  control/register_entry_test.cpp
  plt_draw/load_symbols_test.cpp plt_draw/mm_text_test.cpp)
file(GLOB windows_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/windows/*_test.cpp)
add_executable(windows_tests ${portable_tests} ${windows_sources})
target_include_directories(windows_tests PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(windows_tests PRIVATE verdan_control verdan_plt_draw verdan_front_ends gtest gtest_main verdan_warnings)
set_target_properties(windows_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_test(NAME windows_tests COMMAND windows_tests)
set_tests_properties(windows_tests PROPERTIES TIMEOUT 300)

# The analysis program's stand-in for the end-to-end run.
enable_language(C)
add_executable(verdan_stand_in windows/stand_in.c)
set_target_properties(verdan_stand_in PROPERTIES OUTPUT_NAME VERDAN
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/stand-in)
