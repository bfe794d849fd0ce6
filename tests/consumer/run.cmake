# SPDX-License-Identifier: MIT
# Installs the built library into a temporary prefix and checks what users get:
#  * an application built against it with find_package (consumer/) runs;
#  * the installed gallery starts from the prefix with no library path set (GALLERY=ON);
#  * the README's example builds with jxtpack added by add_subdirectory (subproject/), which
#    builds only the library and leaves the parent's settings alone (SUBPROJECT=ON);
#  * with DISPLAY_ONLY=ON that subproject's library has every JXT_WITH_… part off and is built
#    without Qt Multimedia and Qt Print Support; installed, it links none of the parts'
#    libraries, and its package tells its consumer which parts it lacks. One build of the
#    library thus serves both checks.
# Arguments: BUILD_DIR, SOURCE_DIR (this folder), PROJECT_DIR, WORK_DIR, GALLERY, DISPLAY_ONLY,
# SUBPROJECT, GENERATOR, LAUNCHER (a compiler launcher such as ccache, may be empty).
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})

function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
    if(rc)
        message(FATAL_ERROR "${what} failed (${rc})")
    endif()
endfunction()

set(launcher -G ${GENERATOR})
if(LAUNCHER)
    list(APPEND launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
cmake_host_system_information(RESULT jobs QUERY NUMBER_OF_LOGICAL_CORES)

run("installing" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
# The English translation is installed where the package says it is.
if(EXISTS ${BUILD_DIR}/translations/jxtpack_en.qm
        AND NOT EXISTS ${prefix}/share/jxtpack/translations/jxtpack_en.qm)
    message(FATAL_ERROR "the English translation is not installed")
endif()
run("configuring the consumer" ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/consumer
    -DCMAKE_PREFIX_PATH=${prefix} ${launcher})
run("building the consumer" ${CMAKE_COMMAND} --build ${WORK_DIR}/consumer --parallel ${jobs})
run("the consumer" ${WORK_DIR}/consumer/consumer)

if(GALLERY)
    run("the installed gallery" ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH
        QT_QPA_PLATFORM=offscreen
        ${prefix}/bin/jxtgallery --screenshots ${WORK_DIR}/shots --settle 0)
    file(GLOB shots ${WORK_DIR}/shots/*.png)
    if(NOT shots)
        message(FATAL_ERROR "the installed gallery wrote no pictures")
    endif()
endif()

if(SUBPROJECT)
    # The README's first C++ example is the application.
    file(READ ${PROJECT_DIR}/README.md readme)
    string(FIND "${readme}" "```cpp\n" start)
    if(start EQUAL -1)
        message(FATAL_ERROR "README.md has no C++ example")
    endif()
    math(EXPR start "${start} + 7")
    string(SUBSTRING "${readme}" ${start} -1 rest)
    string(FIND "${rest}" "```" end)
    string(SUBSTRING "${rest}" 0 ${end} example)
    file(WRITE ${WORK_DIR}/readme-example/main.cpp "${example}")
    # With DISPLAY_ONLY the one library build serves both checks: jxtpack is added with every
    # optional part off and with Qt Multimedia and Qt Print Support hidden, so it cannot use
    # them, and is then installed for the checks below.
    set(parts)
    if(DISPLAY_ONLY)
        set(parts -DJXT_WITH_SOUND=OFF -DJXT_WITH_PRINTING=OFF -DJXT_WITH_DESKTOP=OFF
            -DJXT_WITH_FONTS=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Multimedia=ON
            -DCMAKE_DISABLE_FIND_PACKAGE_Qt6PrintSupport=ON)
    endif()
    run("configuring jxtpack as a subproject" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/subproject
        -B ${WORK_DIR}/subproject -DJXTPACK_SOURCE_DIR=${PROJECT_DIR}
        -DREADME_EXAMPLE=${WORK_DIR}/readme-example/main.cpp ${parts} ${launcher})
    run("building the README example with jxtpack as a subproject"
        ${CMAKE_COMMAND} --build ${WORK_DIR}/subproject --parallel ${jobs})
endif()

if(DISPLAY_ONLY)
    if(NOT SUBPROJECT)
        message(FATAL_ERROR "DISPLAY_ONLY installs the library the SUBPROJECT check builds")
    endif()
    # The display-only library must link none of what the parts need, and its package must
    # tell a consumer which parts it lacks.
    set(display ${WORK_DIR}/display-only)
    run("installing a display-only jxtpack" ${CMAKE_COMMAND} --install ${WORK_DIR}/subproject
        --prefix ${display}/prefix)
    file(GLOB library ${display}/prefix/lib*/libjxtpack.so.* ${display}/prefix/lib*/*/libjxtpack.so.*)
    list(GET library 0 library)
    execute_process(COMMAND readelf -d ${library} OUTPUT_VARIABLE needed RESULT_VARIABLE rc)
    if(rc)
        message(FATAL_ERROR "readelf failed on ${library}")
    endif()
    foreach(part Qt6Multimedia Qt6PrintSupport Qt6DBus libfontconfig)
        string(FIND "${needed}" "${part}" at)
        if(NOT at EQUAL -1)
            message(FATAL_ERROR "the display-only library links ${part}")
        endif()
    endforeach()
    foreach(header services/JXWAV.h services/JXPrinter.h controls/JXFontCombo.h)
        if(EXISTS ${display}/prefix/include/jxtpack/${header})
            message(FATAL_ERROR "the display-only install has ${header}")
        endif()
    endforeach()
    run("configuring the consumer of the display-only library" ${CMAKE_COMMAND}
        -S ${SOURCE_DIR} -B ${display}/consumer -DCMAKE_PREFIX_PATH=${display}/prefix ${launcher})
    run("building the consumer of the display-only library" ${CMAKE_COMMAND}
        --build ${display}/consumer --parallel ${jobs})
    run("the consumer of the display-only library" ${display}/consumer/consumer)
    foreach(part Sound Printing Desktop Fonts)
        run("asking the display-only package for ${part}" ${CMAKE_COMMAND} -S ${SOURCE_DIR}
            -B ${display}/require-${part} -DCMAKE_PREFIX_PATH=${display}/prefix
            -DREQUIRE_COMPONENT=${part} ${launcher})
    endforeach()
endif()

