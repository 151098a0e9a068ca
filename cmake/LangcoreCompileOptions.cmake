# SPDX-License-Identifier: Apache-2.0
# Compile options shared by every target of the project.
#
# Folding must be plain IEEE double arithmetic whatever the optimisation
# level, so contraction into fused multiply-adds is off and fast-math is never
# used.

if(NOT CMAKE_CXX_COMPILER_LAUNCHER)
  find_program(LANGCORE_CCACHE ccache)
  if(LANGCORE_CCACHE)
    set(CMAKE_CXX_COMPILER_LAUNCHER "${LANGCORE_CCACHE}")
  endif()
endif()

add_library(langcore_options INTERFACE)
target_compile_options(langcore_options INTERFACE
  -Wall -Wextra -Wpedantic
  -ffp-contract=off -fno-fast-math)

# For the sources of hot loops: a short loop that straddles a 32-byte
# boundary takes two fetch windows per iteration, and kernels (and the
# benchmarks' baseline loops) ran up to twice as slow depending on where the
# linker happened to put them. Elsewhere the padding would only cost.
set(LANGCORE_HOT_LOOP_OPTIONS -falign-loops=32)

if(LANGCORE_SANITIZE)
  list(JOIN LANGCORE_SANITIZE "," _langcore_sanitizers)
  add_compile_options(-fsanitize=${_langcore_sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_langcore_sanitizers})
endif()

# The fuzz targets want coverage feedback from the library itself, not only
# from their own code, so every target of a fuzz build is instrumented; the
# targets link libFuzzer's main themselves.
if(LANGCORE_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "LANGCORE_BUILD_FUZZERS needs clang (libFuzzer)")
  endif()
  if(LANGCORE_SANITIZE)
    message(FATAL_ERROR "LANGCORE_BUILD_FUZZERS brings its own sanitizers; leave LANGCORE_SANITIZE empty")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Applies the project's warnings and floating-point rules to a target. A
# shared library also binds calls between its own exported functions
# directly, as nobody interposes on them: small folds cross several of them.
function(langcore_target_options target)
  target_link_libraries(${target} PRIVATE $<BUILD_INTERFACE:langcore_options>)
  get_target_property(_type ${target} TYPE)
  if(_type STREQUAL "SHARED_LIBRARY")
    target_compile_options(${target} PRIVATE -fno-semantic-interposition)
    # The compiler option keeps calls within one source file direct; the
    # linker's makes calls between source files skip the PLT too.
    target_link_options(${target} PRIVATE -Wl,-Bsymbolic-functions)
  endif()
  # g++ gives the statics of inline functions and templates STB_GNU_UNIQUE
  # binding, and glibc never unloads a library holding such a symbol, so a
  # plugin that links langcore would stay mapped after dlclose. Plain weak
  # symbols unify the same way across libraries loaded together.
  if(_type MATCHES "SHARED_LIBRARY|MODULE_LIBRARY" AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -fno-gnu-unique)
  endif()
endfunction()
