# Native tree: the portable rules and their unit tests, with sanitizers on.
find_package(GTest REQUIRED)

set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(common_rules STATIC ${COMMON_RULES})
add_library(extension_rules STATIC ${EXTENSION_RULES} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
add_library(helper_rules STATIC ${HELPER_RULES} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
target_link_libraries(extension_rules PUBLIC common_rules)
target_link_libraries(helper_rules PUBLIC common_rules)
foreach(lib common_rules extension_rules helper_rules)
    target_compile_options(${lib} PUBLIC ${SANITIZE})
    target_link_options(${lib} PUBLIC ${SANITIZE})
endforeach()

file(GLOB NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(native_tests ${NATIVE_TESTS})
target_link_libraries(native_tests PRIVATE extension_rules helper_rules GTest::gtest GTest::gtest_main)
add_test(NAME native COMMAND native_tests)
set_tests_properties(native PROPERTIES ENVIRONMENT "GTEST_OUTPUT=xml:${CMAKE_BINARY_DIR}/reports/native.xml")

# Rule files must stay free of the platform headers.
add_test(NAME rules_are_portable
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-portable-rules.sh ${CMAKE_SOURCE_DIR})

# Every test the table of bad inputs names exists.
add_test(NAME bad_inputs_table COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-bad-inputs.sh ${CMAKE_SOURCE_DIR})

# Benchmarks measure; they are built optimised, without sanitizers, and never
# run as tests.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/bench/*_bench.cpp)
if(BENCH_SOURCES)
    add_library(bench_rules STATIC ${COMMON_RULES} ${EXTENSION_RULES} ${HELPER_RULES})
    target_compile_options(bench_rules PRIVATE -O2)
    foreach(src ${BENCH_SOURCES})
        get_filename_component(name ${src} NAME_WE)
        add_executable(${name} ${src})
        target_compile_options(${name} PRIVATE -O2)
        target_link_libraries(${name} PRIVATE bench_rules)
    endforeach()
endif()
