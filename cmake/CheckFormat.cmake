# Fails when a C++ source of the tree differs from what .clang-format asks for, and names the
# files. Run as: cmake -DCLANG_FORMAT=<program> -DSOURCE_DIR=<tree> -P CheckFormat.cmake
if(NOT CLANG_FORMAT)
    message(FATAL_ERROR "clang-format is not installed (./kalvon.sh test installs it)")
endif()
set(files)
foreach(dir IN ITEMS src tests bench fuzz tools)
    file(GLOB_RECURSE found "${SOURCE_DIR}/${dir}/*.cpp" "${SOURCE_DIR}/${dir}/*.h")
    list(APPEND files ${found})
endforeach()
list(SORT files)
# One run over every file; only when it finds a difference are the files named one by one.
execute_process(COMMAND "${CLANG_FORMAT}" --style=file --dry-run --Werror ${files}
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
if(result EQUAL 0)
    return()
endif()
set(differing)
foreach(file IN LISTS files)
    execute_process(COMMAND "${CLANG_FORMAT}" --style=file --dry-run --Werror "${file}"
        RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
    if(NOT result EQUAL 0)
        file(RELATIVE_PATH name "${SOURCE_DIR}" "${file}")
        list(APPEND differing "${name}")
    endif()
endforeach()
list(LENGTH differing count)
list(JOIN differing "\n  " names)
message(FATAL_ERROR "${count} file(s) differ from .clang-format; run clang-format -i on:\n  ${names}")
