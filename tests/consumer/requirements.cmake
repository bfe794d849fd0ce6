# SPDX-License-Identifier: MIT
# A part that is asked for but whose packages are missing stops the configure and names the
# Debian package to install; it is never skipped in silence. Missing packages are simulated
# with CMAKE_DISABLE_FIND_PACKAGE_<name>, a missing clang by configuring with the C++
# compiler of the build. Arguments: PROJECT_DIR, WORK_DIR, CXX_COMPILER.
file(REMOVE_RECURSE ${WORK_DIR})
set(lean -DJXT_BUILD_TESTS=OFF -DJXT_BUILD_GALLERY=OFF -DJXT_BUILD_BENCH=OFF)

function(expect_refusal name package)
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${PROJECT_DIR} -B ${WORK_DIR}/${name} ${lean}
        -DCMAKE_CXX_COMPILER=${CXX_COMPILER} ${ARGN}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(rc EQUAL 0)
        message(FATAL_ERROR "${name}: the configure went on without ${package}")
    endif()
    string(FIND "${err}" "${package}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${name}: the error does not name ${package}:\n${err}")
    endif()
    message(STATUS "${name}: refused, naming ${package}")
endfunction()

expect_refusal(designer qt6-tools-dev -DJXT_BUILD_DESIGNER=ON
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Designer=ON)
expect_refusal(opengl libqt6opengl6-dev -DJXT_BUILD_DESIGNER=ON
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6OpenGL=ON)
expect_refusal(printsupport qt6-base-dev -DJXT_BUILD_DESIGNER=OFF
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6PrintSupport=ON)
expect_refusal(multimedia qt6-multimedia-dev -DJXT_BUILD_DESIGNER=OFF
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Multimedia=ON)
expect_refusal(translations qt6-l10n-tools -DJXT_BUILD_DESIGNER=OFF
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6LinguistTools=ON)
expect_refusal(bench libbenchmark-dev -DJXT_BUILD_DESIGNER=OFF -DJXT_BUILD_BENCH=ON
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON)
if(NOT CXX_COMPILER MATCHES "clang")
    expect_refusal(fuzz clang -DJXT_BUILD_DESIGNER=OFF -DJXT_BUILD_FUZZ=ON)
endif()
