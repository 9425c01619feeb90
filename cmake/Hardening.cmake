# Builds that hunt for memory and undefined-behaviour faults. Both apply to
# every target of the tree, so a fault anywhere in the code a test or a
# fuzzer runs is caught where it happens.
#
#   LINDEL_SANITIZE  AddressSanitizer + UndefinedBehaviorSanitizer on the whole
#                    test suite (make test-sanitize).
#   LINDEL_FUZZ      libFuzzer targets in fuzz/ (clang++ only; make fuzz).
option(LINDEL_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(LINDEL_FUZZ "Build the libFuzzer targets (needs clang++)" OFF)

if(LINDEL_SANITIZE AND LINDEL_FUZZ)
  message(FATAL_ERROR "LINDEL_SANITIZE and LINDEL_FUZZ are separate builds; choose one")
endif()

# Every report stops the program: a fault must fail its test, not scroll past.
set(LINDEL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

if(LINDEL_SANITIZE)
  add_compile_options(${LINDEL_SANITIZER_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()

if(LINDEL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "LINDEL_FUZZ needs clang++ (-DCMAKE_CXX_COMPILER=clang++)")
  endif()
  # The libraries get coverage feedback; only the fuzz targets link libFuzzer's main.
  add_compile_options(${LINDEL_SANITIZER_FLAGS} -fsanitize=fuzzer-no-link)
  add_link_options(-fsanitize=address,undefined)
endif()
