find_program(RT58_XVFB_RUN xvfb-run)

# rt58_add_test(NAME <name> SOURCES <files...> [LABELS <labels...>] [TIMEOUT <s>]
#               [DESKTOP_SCREENS <WxH[@scale]...>] [FUNCTIONS <functions...>])
# Builds a Qt Test program against the library and registers it with CTest,
# on the offscreen platform. FUNCTIONS registers it once per test function
# instead, as <name>_<function>, each running only that function: slow cases
# that wait rather than work then run beside each other.
# DESKTOP_SCREENS registers the program once per screen, as <name>_<WxH>
# (<name>_<WxH>_scaled<scale> with a scale factor), each on the X platform
# itself under a virtual X server of that size with the openbox window
# manager (tests/with-openbox.sh), and with QT_SCALE_FACTOR set to the scale:
# for tests of window geometry that the small offscreen screen and a window
# without a frame would hide.
# Each test runs in a working folder of its own, because the
# program writes ./config.ini and ./Log/ relative to its working directory.
function(rt58_add_test)
    cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LABELS;DESKTOP_SCREENS;FUNCTIONS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE rt58core rt58resources Qt5::Test)
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    if(T_DESKTOP_SCREENS AND RT58_XVFB_RUN)
        foreach(screen ${T_DESKTOP_SCREENS})
            string(REPLACE "@" ";" size_and_scale ${screen})
            list(GET size_and_scale 0 size)
            set(test ${T_NAME}_${size})
            if(screen MATCHES "@")
                list(GET size_and_scale 1 scale)
                set(test ${test}_scaled${scale})
            endif()
            rt58_register_test(${test} ${T_NAME} "${T_TIMEOUT}" "${T_LABELS}" xcb ""
                ${RT58_XVFB_RUN} -a -s "-screen 0 ${size}x24"
                ${PROJECT_SOURCE_DIR}/tests/with-openbox.sh)
            if(screen MATCHES "@")
                set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT QT_SCALE_FACTOR=${scale})
            endif()
        endforeach()
    elseif(T_FUNCTIONS)
        foreach(function ${T_FUNCTIONS})
            rt58_register_test(${T_NAME}_${function} ${T_NAME} "${T_TIMEOUT}" "${T_LABELS}"
                offscreen ${function})
        endforeach()
    else()
        rt58_register_test(${T_NAME} ${T_NAME} "${T_TIMEOUT}" "${T_LABELS}" offscreen "")
    endif()
endfunction()

# rt58_register_test(<test name> <target> <timeout> <labels> <platform> <arguments>
#                    [<launcher...>])
# Registers the test program <target> with its arguments as <test name>,
# started through the launcher if one is given, in a working folder of its
# own.
function(rt58_register_test test target timeout labels platform arguments)
    set(work_dir ${CMAKE_CURRENT_BINARY_DIR}/work/${test})
    file(MAKE_DIRECTORY ${work_dir})
    add_test(NAME ${test} COMMAND ${ARGN} $<TARGET_FILE:${target}> ${arguments}
        WORKING_DIRECTORY ${work_dir})
    set_tests_properties(${test} PROPERTIES
        TIMEOUT ${timeout}
        LABELS "${labels}"
        ENVIRONMENT "QT_QPA_PLATFORM=${platform};RT58_BINARY_DIR=${PROJECT_BINARY_DIR};RT58_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# libFuzzer targets need clang, so RT58_FUZZERS is off (and hidden) otherwise.
include(CMakeDependentOption)
cmake_dependent_option(RT58_FUZZERS "Build the libFuzzer targets" ON
    "CMAKE_CXX_COMPILER_ID STREQUAL Clang" OFF)

# rt58_add_fuzzer(NAME <name> SOURCES <files...> [LIBRARIES <libraries...>]
#                 [RUNS <n>])
# Builds a libFuzzer target when RT58_FUZZERS is on and registers it as a test
# labelled "fuzz": a short fixed-seed run of <n> inputs (40000 unless given)
# from its seed corpus, the folder corpus/<name> beside the calling
# CMakeLists.txt. scripts/fuzz.sh finds the
# target by that label and runs it for a bounded time from the same corpus.
function(rt58_add_fuzzer)
    cmake_parse_arguments(F "" "NAME;RUNS" "SOURCES;LIBRARIES" ${ARGN})
    if(NOT RT58_FUZZERS)
        return()
    endif()
    set(flags -fsanitize=fuzzer,address,undefined)
    add_executable(${F_NAME} ${F_SOURCES})
    target_include_directories(${F_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_options(${F_NAME} PRIVATE ${flags})
    target_link_options(${F_NAME} PRIVATE ${flags})
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBRARIES})
    # New inputs go to a folder of the build, never into the seed corpus.
    set(found ${CMAKE_CURRENT_BINARY_DIR}/fuzz/${F_NAME})
    file(MAKE_DIRECTORY ${found})
    if(NOT F_RUNS)
        set(F_RUNS 40000)
    endif()
    add_test(NAME ${F_NAME}
        COMMAND ${F_NAME} -runs=${F_RUNS} -seed=1 ${found} ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${F_NAME})
    set_tests_properties(${F_NAME} PROPERTIES LABELS fuzz TIMEOUT 120)
endfunction()
