# One place for the language level, warnings and Qt strictness of every target of ours.
add_library(orvalen_common INTERFACE)
target_compile_features(orvalen_common INTERFACE cxx_std_20)
target_compile_options(orvalen_common INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(orvalen_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_URL_CAST_FROM_STRING
    QT_USE_QSTRINGBUILDER)

# A layer is a static library built from the sources of its folder; new files join it
# without touching the build files.
function(orvalen_layer name)
    cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    if(NOT sources)
        # A layer that has no code yet still carries its include path and dependencies.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE orvalen_common ${ARG_LINK})
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC orvalen_common ${ARG_LINK})
endfunction()

# Tests of one folder build into one executable; CTest runs every case on the offscreen platform.
function(orvalen_tests folder)
    cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    if(NOT sources)
        return()
    endif()
    set(target ${folder}_tests)
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE orvalen_test_support ${ARG_LINK} GTest::gtest_main)
    gtest_discover_tests(${target}
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ORVALEN_TEST_TMP=${CMAKE_CURRENT_BINARY_DIR}/tmp"
        DISCOVERY_TIMEOUT 60)
endfunction()
