# Helpers shared by every folder.

# A library that must not see Qt: the cores. Qt's headers are not on its include path,
# so an #include of one fails to compile.
function(scx_add_core_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()

# A library of dialogs: written against the dialog layer, whose public headers name no
# toolkit; the toolkit stays private to the layer's backend.
function(scx_add_ui_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()

# A GoogleTest executable, each of its tests registered with CTest. The test
# environment (offscreen Qt platform, UTF-8 locale) is set in one place.
function(scx_add_test name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    if(ARG_GUI)
        target_link_libraries(${name} PRIVATE ${ARG_LIBS} scx_testkit_main)
        if(TARGET scx_windows_resources)
            # The manifest (common controls 6), the pictures, clips and guide.
            target_link_libraries(${name} PRIVATE scx_windows_resources)
        endif()
    else()
        target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    endif()
    if(CMAKE_CROSSCOMPILING)
        # One run of the whole executable: starting the emulator once per test would
        # cost more than the tests.
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "TZ=Europe/Paris" TIMEOUT 600)
        return()
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
    # The environment is set once the tests are known: CMake 3.25's discovery splits a
    # list given in its PROPERTIES, which left every variable but the first unset.
    set(environment ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
    file(WRITE ${environment}
        "if(${name}_TESTS)\n"
        "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT\n"
        "    \"QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;TZ=Europe/Paris\")\n"
        "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${environment})
endfunction()
