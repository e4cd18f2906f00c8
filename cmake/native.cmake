# Linux build: the engine demo, unit tests and contract tests on the simulated platform.

add_executable(quellix_demo src/app/engine_demo.cpp)
target_link_libraries(quellix_demo PRIVATE quellix_sim quellix_warnings)

if(QUELLIX_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  file(GLOB QUELLIX_UNIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
  add_executable(quellix_unit_tests ${QUELLIX_UNIT_SOURCES})
  target_include_directories(quellix_unit_tests PRIVATE tests)
  target_compile_definitions(quellix_unit_tests PRIVATE QUELLIX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_link_libraries(quellix_unit_tests PRIVATE quellix_sim quellix_warnings GTest::gtest GTest::gmock GTest::gtest_main)
  # Each case is a test of its own, so a failure names it in ctest's summary.
  include(GoogleTest)
  gtest_discover_tests(quellix_unit_tests TEST_PREFIX "unit." PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)

  add_executable(quellix_contract_sim tests/contract/platform_contract.cpp tests/contract/dde_contract.cpp
                                     tests/contract/sim_fixture.cpp)
  target_include_directories(quellix_contract_sim PRIVATE tests)
  target_link_libraries(quellix_contract_sim PRIVATE quellix_sim quellix_warnings GTest::gtest GTest::gtest_main)
  gtest_discover_tests(quellix_contract_sim TEST_PREFIX "contract_sim." PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)

  add_executable(quellix_ui_contract_sim tests/contract/ui_contract.cpp tests/contract/sim_ui_fixture.cpp)
  target_include_directories(quellix_ui_contract_sim PRIVATE tests)
  target_link_libraries(quellix_ui_contract_sim PRIVATE quellix_sim quellix_warnings GTest::gtest GTest::gtest_main)
  gtest_discover_tests(quellix_ui_contract_sim TEST_PREFIX "ui_contract_sim." PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)

  add_test(NAME engine_demo COMMAND quellix_demo)
  set_tests_properties(engine_demo PROPERTIES LABELS unit PASS_REGULAR_EXPRESSION "burned: [1-9]")

  # The administrative templates name exactly the policy values the program reads.
  add_test(NAME policy_templates COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/unit/policy_templates.py ${CMAKE_SOURCE_DIR})
  set_tests_properties(policy_templates PROPERTIES LABELS unit PASS_REGULAR_EXPRESSION "PASS"
                                                   FAIL_REGULAR_EXPRESSION "FAIL:")
endif()

if(QUELLIX_BENCH)
  find_package(benchmark REQUIRED)
  add_executable(quellix_bench bench/burn_cycle_bench.cpp bench/counted_heap.cpp)
  target_link_libraries(quellix_bench PRIVATE quellix_sim quellix_warnings benchmark::benchmark)
  add_executable(quellix_memory_bench bench/memory_bench.cpp bench/counted_heap.cpp)
  target_link_libraries(quellix_memory_bench PRIVATE quellix_sim quellix_warnings)
endif()

if(QUELLIX_FUZZ)
  file(GLOB QUELLIX_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*.cpp)
  foreach(source ${QUELLIX_FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE quellix_sim quellix_warnings)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  endforeach()
endif()
