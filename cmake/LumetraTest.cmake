# lumetra_add_test(<name> SOURCES <files...> LIBS <libs...> [ENVIRONMENT <VAR=value...>]
#                  [LABELS <labels...>] [TIMEOUT <seconds>] [FIXTURES_REQUIRED <fixtures...>])
#
# Every test runs with the offscreen Qt platform, a fixed locale and a private HOME, so a test
# never reads or writes the developer's settings and behaves the same on every machine.
set(LUMETRA_PUB_SAMPLES "${CMAKE_SOURCE_DIR}/../shared/pub-samples"
    CACHE PATH "Folder of real Publisher files for the reader tests (skipped when absent)")

function(lumetra_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;ENVIRONMENT;LABELS;FIXTURES_REQUIRED" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} lumetra_test_main GTest::gtest GTest::gmock)
  set(home "${CMAKE_BINARY_DIR}/test-home/${name}")
  file(MAKE_DIRECTORY "${home}")
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(env
      "QT_QPA_PLATFORM=offscreen"
      "LC_ALL=C.UTF-8"
      "LANG=C.UTF-8"
      "LANGUAGE="
      "TZ=UTC"
      "HOME=${home}"
      "XDG_CONFIG_HOME=${home}/.config"
      "XDG_CACHE_HOME=${home}/.cache"
      "XDG_RUNTIME_DIR=${home}/run"
      "LUMETRA_PUB_SAMPLES=${LUMETRA_PUB_SAMPLES}"
      "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1"
      "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
      "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=1"
      ${T_ENVIRONMENT})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT}
                                          LABELS "${T_LABELS}")
  if(T_FIXTURES_REQUIRED)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${T_FIXTURES_REQUIRED}")
  endif()
endfunction()
