# Helpers that give every layer the same shape: one static library per folder, sources
# picked up from that folder (not its subfolders, unless named as its parts), warnings on, and the link line stated
# once, so the direction between layers is enforced by what each target may see.

function(kalvon_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(KALVON_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# kalvon_library(<name> DIR <folder> [PARTS <subfolders...>] [QT] [LINKS <targets...>])
#   PARTS names subfolders of <folder> that belong to the same layer (one class per file
#   grouped by kind); QT marks a target that uses Qt (turns on moc for it).
function(kalvon_library name)
    cmake_parse_arguments(ARG "QT" "DIR" "PARTS;LINKS" ${ARGN})
    set(folders ${ARG_DIR})
    foreach(part IN LISTS ARG_PARTS)
        list(APPEND folders ${ARG_DIR}/${part})
    endforeach()
    set(sources)
    set(headers)
    foreach(folder IN LISTS folders)
        file(GLOB folder_sources CONFIGURE_DEPENDS ${folder}/*.cpp)
        file(GLOB folder_headers CONFIGURE_DEPENDS ${folder}/*.h)
        list(APPEND sources ${folder_sources})
        list(APPEND headers ${folder_headers})
    endforeach()
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

# Fails the configure step when `target`, or a kalvon_ library on its link lines, links a target
# whose name matches `pattern`; `what` names the forbidden kind in the message. The fourth
# argument, passed down while the link lines are followed, is the target being checked.
function(kalvon_forbid_links target pattern what)
    set(checked ${target})
    if(ARGC GREATER 3)
        set(checked ${ARGV3})
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
    else()
        get_target_property(links ${target} LINK_LIBRARIES)
    endif()
    foreach(dep IN LISTS links)
        if(dep MATCHES "${pattern}")
            message(FATAL_ERROR "${checked} must not reach ${what} (${target} links ${dep})")
        endif()
        if(TARGET ${dep} AND dep MATCHES "^kalvon_")
            kalvon_forbid_links(${dep} "${pattern}" "${what}" ${checked})
        endif()
    endforeach()
endfunction()

# A target that must stay plain C++ can reach no Qt.
function(kalvon_require_no_qt target)
    kalvon_forbid_links(${target} "^Qt6?::" "Qt")
endfunction()

# A target that must stay free of widgets can reach no Qt Widgets.
function(kalvon_require_no_widgets target)
    kalvon_forbid_links(${target} "^Qt6?::Widgets$" "Qt Widgets")
endfunction()

# kalvon_test(<name> DIR <folder> LINKS <targets...> [PROPERTIES <ctest properties...>])
#   One test program per folder of tests/, each case registered with CTest (with the given
#   properties, e.g. a label and a timeout).
function(kalvon_test name)
    cmake_parse_arguments(ARG "QT" "DIR" "LINKS;PROPERTIES" ${ARGN})
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
    if(ARG_PROPERTIES)
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ${ARG_PROPERTIES})
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
    endif()
endfunction()
