# digrex_add_test(NAME SOURCES src... LIBS lib... [GUI] [QTEST] [TIMEOUT seconds])
# Registers one GoogleTest or QtTest executable with ctest. GUI tests run on
# Qt's offscreen platform, so no display is needed.
#
# Sanitizer builds run several times slower than the plain build, so their test
# timeouts are stretched by DIGREX_TEST_TIMEOUT_FACTOR instead of loosening the
# tests themselves.
if(DIGREX_SANITIZE)
  set(DIGREX_TEST_TIMEOUT_FACTOR 4 CACHE STRING "Multiplier for test timeouts")
else()
  set(DIGREX_TEST_TIMEOUT_FACTOR 1 CACHE STRING "Multiplier for test timeouts")
endif()

function(digrex_add_test name)
  cmake_parse_arguments(T "GUI;QTEST" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  if(T_QTEST OR T_GUI)
    target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set(env "DIGREX_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data" "DIGREX_TEST_SUPPORT=${PROJECT_SOURCE_DIR}/tests/support")
  if(T_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  math(EXPR T_TIMEOUT "${T_TIMEOUT} * ${DIGREX_TEST_TIMEOUT_FACTOR}")
  # Qt Test's own watchdog stops a test function after 5 minutes; it stretches alike.
  math(EXPR qtest_timeout_ms "300000 * ${DIGREX_TEST_TIMEOUT_FACTOR}")
  list(APPEND env "QTEST_FUNCTION_TIMEOUT=${qtest_timeout_ms}")
  # The label is the subject folder (engine, worker, app...), so a run can pick subjects;
  # the target tests_<subject> builds just that subject's tests.
  get_filename_component(subject ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT} LABELS ${subject})
  if(NOT TARGET tests_${subject})
    add_custom_target(tests_${subject})
  endif()
  add_dependencies(tests_${subject} ${name})
endfunction()
