# RT58_SANITIZE builds every target, the tests and tools included, with
# AddressSanitizer and UndefinedBehaviorSanitizer. Whether a finding stops the
# program is decided at run time by ASAN_OPTIONS and UBSAN_OPTIONS
# (scripts/sanitize.sh sets them so that it does).
option(RT58_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(RT58_SANITIZE)
    set(RT58_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer)
    add_compile_options(${RT58_SANITIZER_FLAGS})
    add_link_options(${RT58_SANITIZER_FLAGS})
endif()

# RT58_TSAN builds every target with ThreadSanitizer (clang;
# scripts/tsan.sh). It cannot be combined with RT58_SANITIZE.
option(RT58_TSAN "Build with ThreadSanitizer" OFF)
if(RT58_TSAN)
    if(RT58_SANITIZE)
        message(FATAL_ERROR "RT58_TSAN and RT58_SANITIZE exclude each other")
    endif()
    set(RT58_TSAN_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
    add_compile_options(${RT58_TSAN_FLAGS})
    add_link_options(${RT58_TSAN_FLAGS})
endif()
