# Helpers that give every layer the same shape: one static library per folder, sources
# picked up from that folder (not its subfolders), warnings on, and the link line stated
# once, so the direction between layers is enforced by what each target may see.

function(kalvon_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(KALVON_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# kalvon_library(<name> DIR <folder> [QT] [LINKS <targets...>])
#   QT marks a target that uses Qt (turns on moc for it).
function(kalvon_library name)
    cmake_parse_arguments(ARG "QT" "DIR" "LINKS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${ARG_DIR}/*.h)
    if(NOT sources)
        # A layer whose issue has not landed yet: headers only.
        add_library(${name} INTERFACE ${headers})
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE ${ARG_LINKS})
        return()
    endif()
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    if(ARG_QT)
        set_target_properties(${name} PROPERTIES AUTOMOC ON)
    endif()
    kalvon_warnings(${name})
endfunction()

# Fails the configure step when a target that must stay plain C++ can reach Qt.
function(kalvon_require_no_qt target)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
    else()
        get_target_property(links ${target} LINK_LIBRARIES)
    endif()
    foreach(dep IN LISTS links)
        if(dep MATCHES "^Qt6::" OR dep MATCHES "^Qt::")
            message(FATAL_ERROR "${target} must not link Qt (found ${dep})")
        endif()
        if(TARGET ${dep} AND dep MATCHES "^kalvon_")
            kalvon_require_no_qt(${dep})
        endif()
    endforeach()
endfunction()

# kalvon_test(<name> DIR <folder> LINKS <targets...>)
#   One test program per folder of tests/, each case registered with CTest.
function(kalvon_test name)
    cmake_parse_arguments(ARG "QT" "DIR" "LINKS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp ${ARG_DIR}/*.h)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    if(ARG_QT)
        # Qt tests share one QApplication, made by their own main.
        set_target_properties(${name} PROPERTIES AUTOMOC ON)
        target_link_libraries(${name} PRIVATE kalvon_qttestmain)
    else()
        target_link_libraries(${name} PRIVATE kalvon_testmain)
    endif()
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} kalvon_testsupport GTest::gtest GTest::gmock)
    target_compile_definitions(${name} PRIVATE
        KALVON_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures"
        KALVON_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
    kalvon_warnings(${name})
    # The test mains set the environment (offscreen Qt, silent SDL audio).
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()
