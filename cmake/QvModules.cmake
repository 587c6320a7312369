# Adds every CMakeLists.txt found below the given folders, shallowest first.
function(qv_add_leaf_folders)
    foreach(top IN LISTS ARGN)
        file(GLOB_RECURSE lists CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${top}/*/CMakeLists.txt
             ${PROJECT_SOURCE_DIR}/${top}/CMakeLists.txt)
        list(SORT lists)
        foreach(list IN LISTS lists)
            get_filename_component(dir ${list} DIRECTORY)
            file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${dir})
            add_subdirectory(${dir} ${PROJECT_BINARY_DIR}/${rel})
        endforeach()
    endforeach()
endfunction()

# The Qt and standard headers most files include, compiled once per build tree and reused by
# every library, program, test and benchmark: parsing them is most of what a file costs to
# compile. GCC only: where a target's definitions differ from the header's, GCC reads the
# headers' text instead, where clang stops with an error.
set(QV_PCH_HEADERS
    <algorithm> <array> <functional> <memory> <optional>
    <QApplication> <QByteArray> <QComboBox> <QCoreApplication> <QDialog> <QDir> <QFile>
    <QFileInfo> <QImage> <QLabel> <QLineEdit> <QList> <QMenu> <QPointer> <QPushButton>
    <QString> <QStringList> <QTimer> <QWidget>)

# qv_add_precompiled_headers(): the targets that hold the headers, qv_pch for all and
# qv_pch_test with Google Test besides for the tests. The Qt test library stays out: it reads
# a definition that differs from test to test.
function(qv_add_precompiled_headers)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        return()
    endif()
    set(source ${PROJECT_BINARY_DIR}/qv_pch.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "// The precompiled headers' own file: empty.\n")
    add_library(qv_pch STATIC ${source})
    target_link_libraries(qv_pch PRIVATE Qt6::Widgets)
    target_precompile_headers(qv_pch PRIVATE ${QV_PCH_HEADERS})
    if(QV_TESTS)
        find_package(GTest REQUIRED)
        add_library(qv_pch_test STATIC ${source})
        target_link_libraries(qv_pch_test PRIVATE Qt6::Widgets Qt6::Network GTest::gtest)
        target_precompile_headers(qv_pch_test PRIVATE ${QV_PCH_HEADERS} <gtest/gtest.h> <QTemporaryDir>)
    endif()
endfunction()

# qv_use_precompiled_headers(TARGET [test]): lets the target reuse the precompiled headers. The
# target is given the widgets library's headers and definitions, which the precompiled ones
# were made with: without them GCC would not take them.
function(qv_use_precompiled_headers target)
    set(pch qv_pch)
    if(ARGV1 STREQUAL "test")
        set(pch qv_pch_test)
    endif()
    if(TARGET ${pch})
        target_link_libraries(${target} PRIVATE Qt6::Widgets)
        target_precompile_headers(${target} REUSE_FROM ${pch})
    endif()
endfunction()

# qv_add_library(NAME SOURCES ... LIBS ...): a module as a static library.
function(qv_add_library name)
    cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${A_SOURCES})
    target_link_libraries(${name} PUBLIC ${A_LIBS})
    qv_use_precompiled_headers(${name})
endfunction()

# qv_add_program(NAME SOURCES ... LIBS ...): one of the family programs. It is built with what
# starting it from the build tree needs: the tool that registers the tree, the tool that puts a
# contact in front of the contact store (for imports), and the card pictures it reads from its
# program folder.
function(qv_add_program name)
    cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_LIBS})
    qv_use_precompiled_headers(${name})
    add_dependencies(${name} qv-register qv-contacts card_bitmaps)
endfunction()

# qv_add_test(NAME SOURCES ... LIBS ... [X11 filter]): one GoogleTest executable for a module, run
# headless with a private home, config, data and runtime folder so that no test touches
# the user's own files or another test's. The tests the X11 filter names run again as NAME_x11
# on a real X server (Xvfb), for what only a window system does, such as a drag's event loop.
# SHARDS n splits a long executable's tests into n runs side by side, NAME_1 to NAME_n, each
# with a home of its own.
function(qv_add_test name)
    cmake_parse_arguments(A "" "TIMEOUT;X11;SHARDS" "SOURCES;LIBS" ${ARGN})
    if(NOT QV_TESTS)
        return()
    endif()
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE testsupport ${A_LIBS})
    qv_use_precompiled_headers(${name} test)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
    if(NOT A_TIMEOUT)
        set(A_TIMEOUT 300)
    endif()
    if(A_SHARDS)
        foreach(shard RANGE 1 ${A_SHARDS})
            add_test(NAME ${name}_${shard} COMMAND ${name})
            qv_test_environment(${name}_${shard} ${name}_${shard} offscreen ${A_TIMEOUT})
            math(EXPR index "${shard} - 1")
            set_property(TEST ${name}_${shard} APPEND PROPERTY ENVIRONMENT
                         GTEST_TOTAL_SHARDS=${A_SHARDS} GTEST_SHARD_INDEX=${index})
        endforeach()
    else()
        add_test(NAME ${name} COMMAND ${name})
        qv_test_environment(${name} ${name} offscreen ${A_TIMEOUT})
    endif()
    if(A_X11)
        add_test(NAME ${name}_x11 COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${name}>
                                          --gtest_filter=${A_X11})
        qv_test_environment(${name}_x11 ${name}_x11 xcb ${A_TIMEOUT})
    endif()
endfunction()

# The environment of a test: its own home below the build tree, the Qt platform given.
function(qv_test_environment test folder platform timeout)
    set(home ${PROJECT_BINARY_DIR}/testhome/${folder})
    file(MAKE_DIRECTORY ${home}/config ${home}/data ${home}/cache ${home}/runtime)
    file(CHMOD ${home}/runtime PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    set_tests_properties(${test} PROPERTIES TIMEOUT ${timeout} ENVIRONMENT
        "QT_QPA_PLATFORM=${platform};LANG=C.UTF-8;LC_ALL=C.UTF-8;HOME=${home};XDG_CONFIG_HOME=${home}/config;XDG_DATA_HOME=${home}/data;XDG_CACHE_HOME=${home}/cache;XDG_RUNTIME_DIR=${home}/runtime;QV_SOURCE_DIR=${PROJECT_SOURCE_DIR};QV_BINARY_DIR=${PROJECT_BINARY_DIR}")
endfunction()

# qv_add_fuzzer(NAME SOURCES ... LIBS ...): a libFuzzer target, built only with QV_FUZZ.
function(qv_add_fuzzer name)
    cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
    if(NOT QV_FUZZ)
        return()
    endif()
    add_executable(${name} ${A_SOURCES})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${A_LIBS})
    # No moc: a fuzzer declares no QObject.
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/fuzz AUTOMOC OFF)
    set_property(GLOBAL APPEND PROPERTY QV_FUZZERS ${name})
endfunction()

# Writes fuzzers.txt into the build tree: the fuzzer targets, one a line, for CI to build and run.
function(qv_write_fuzzer_list)
    get_property(fuzzers GLOBAL PROPERTY QV_FUZZERS)
    list(JOIN fuzzers "\n" text)
    file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/fuzzers.txt CONTENT "${text}\n" @ONLY)
endfunction()

# qv_add_benchmark(NAME SOURCES ... LIBS ...): a Google Benchmark executable.
function(qv_add_benchmark name)
    cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
    find_package(benchmark REQUIRED)
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE benchmark::benchmark benchmark::benchmark_main ${A_LIBS})
    qv_use_precompiled_headers(${name})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bench)
endfunction()
