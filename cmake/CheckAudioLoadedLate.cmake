# Fails when a program names SDL2 or SDL2_mixer among the libraries it needs at start: they are
# loaded when the audio device first opens, so their loading does not delay the first window.
# Run with -DREADELF=<readelf> -DPROGRAMS=<program;...>.
foreach(program IN LISTS PROGRAMS)
    execute_process(COMMAND ${READELF} -d ${program} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "cannot read the dynamic section of ${program}")
    endif()
    string(REGEX MATCHALL "Shared library: \\[libSDL2[^]]*\\]" needed "${dynamic}")
    if(needed)
        message(FATAL_ERROR "${program} needs ${needed} at start")
    endif()
endforeach()
