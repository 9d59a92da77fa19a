# lexvane_add_test(<name> SOURCES <files...> LIBRARIES <targets...>)
#
# One GoogleTest executable; every TEST in it becomes a CTest case.
# Widget tests run on the offscreen platform; every test gets a private
# runtime folder so that tests can run in parallel without sharing names.
find_package(GTest REQUIRED)
include(GoogleTest)

function(lexvane_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} lexvane_test_support GTest::gmock GTest::gtest_main)
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1"
                   TIMEOUT 300)
endfunction()
