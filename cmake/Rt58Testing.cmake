find_program(RT58_XVFB_RUN xvfb-run)

# rt58_add_test(NAME <name> SOURCES <files...> [LABELS <labels...>] [TIMEOUT <s>] [XVFB])
# Builds a Qt Test program against the library and registers it with CTest.
# XVFB runs the program under a virtual X server, for the few tests that need
# a real one; the test itself still defaults to the offscreen platform.
# Each test runs offscreen in a working folder of its own, because the
# program writes ./config.ini and ./Log/ relative to its working directory.
function(rt58_add_test)
    cmake_parse_arguments(T "XVFB" "NAME;TIMEOUT" "SOURCES;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE rt58core rt58resources Qt5::Test)
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    set(work_dir ${CMAKE_CURRENT_BINARY_DIR}/work/${T_NAME})
    file(MAKE_DIRECTORY ${work_dir})
    set(command $<TARGET_FILE:${T_NAME}>)
    if(T_XVFB AND RT58_XVFB_RUN)
        set(command ${RT58_XVFB_RUN} -a ${command})
    endif()
    add_test(NAME ${T_NAME} COMMAND ${command} WORKING_DIRECTORY ${work_dir})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    set_tests_properties(${T_NAME} PROPERTIES
        TIMEOUT ${T_TIMEOUT}
        LABELS "${T_LABELS}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;RT58_BINARY_DIR=${PROJECT_BINARY_DIR};RT58_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
