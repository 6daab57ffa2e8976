# The Sanitize build type: AddressSanitizer (LeakSanitizer included) and
# UndefinedBehaviorSanitizer, optimised lightly so the suite stays quick and stack traces stay
# readable. Every target of the tree is built with it, the test programs and the bot plug-in
# included. `./kalvon.sh sanitize` sets the run-time options (UBSan halts on its first report)
# and the suppressions of third-party libraries (cmake/sanitizers/).
#
# KALVON_LIBFUZZER (clang only) builds with the same sanitizers plus libFuzzer's coverage, for
# the targets of fuzz/; there every report ends the run.

set(KALVON_SANITIZERS "-fsanitize=address,undefined")

set(CMAKE_CXX_FLAGS_SANITIZE "-O1 -g ${KALVON_SANITIZERS} -fno-omit-frame-pointer" CACHE STRING
    "C++ flags of the Sanitize build type" FORCE)
foreach(kind EXE SHARED MODULE)
    set(CMAKE_${kind}_LINKER_FLAGS_SANITIZE "${KALVON_SANITIZERS}" CACHE STRING
        "Linker flags of the Sanitize build type" FORCE)
endforeach()
mark_as_advanced(CMAKE_CXX_FLAGS_SANITIZE CMAKE_EXE_LINKER_FLAGS_SANITIZE
    CMAKE_SHARED_LINKER_FLAGS_SANITIZE CMAKE_MODULE_LINKER_FLAGS_SANITIZE)

option(KALVON_LIBFUZZER "Build the fuzz targets for libFuzzer (clang; ASan and UBSan on)" OFF)
if(KALVON_LIBFUZZER)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "KALVON_LIBFUZZER needs clang (configure with CXX=clang++)")
    endif()
    # Coverage for libFuzzer in every library; the fuzzer's own main goes only into the targets.
    add_compile_options(-fsanitize=fuzzer-no-link ${KALVON_SANITIZERS} -fno-sanitize-recover=all
        -fno-omit-frame-pointer -g)
    add_link_options(${KALVON_SANITIZERS})
endif()
