# Cross tree: korbinen.dll, quorvinx.exe, the host program and the Wine tests.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I${CMAKE_SOURCE_DIR}")
enable_language(RC)
# GCC 12 reports false overlaps inside std::string at -O2 (its bug 105329).
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)

# A dynamically linked MinGW program finds no runtime DLLs under Wine or on a
# user's machine: link everything in.
add_link_options(-static -static-libgcc -static-libstdc++)
set(WIN_LIBS user32 gdi32 comctl32 comdlg32 shell32 advapi32 ws2_32 kernel32)

collect_sources(COMMON_GLUE GLUE ${COMMON_DIRS})
file(GLOB COMMON_WIN_ALL CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/common/win/*.cpp)
add_library(common_win STATIC ${COMMON_RULES} ${COMMON_GLUE} ${COMMON_WIN_ALL} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
target_link_libraries(common_win PUBLIC ${WIN_LIBS})

collect_sources(EXTENSION_GLUE GLUE ${EXTENSION_DIRS})
add_library(korbinen SHARED ${EXTENSION_RULES} ${EXTENSION_GLUE}
            ${CMAKE_SOURCE_DIR}/resources/korbinen.rc ${CMAKE_SOURCE_DIR}/extension/korbinen.def)
set_target_properties(korbinen PROPERTIES PREFIX "" OUTPUT_NAME korbinen)
target_link_options(korbinen PRIVATE -Wl,--kill-at)
target_link_libraries(korbinen PRIVATE common_win)

# The FTP client on its own, for the programs that test and measure it.
file(GLOB FTP_CLIENT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/extension/ftp/ftp_*.cpp)
add_library(ftp_client STATIC ${FTP_CLIENT_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
target_link_libraries(ftp_client PUBLIC common_win)

collect_sources(HELPER_GLUE GLUE ${HELPER_DIRS})
add_executable(quorvinx WIN32 ${HELPER_RULES} ${HELPER_GLUE} ${CMAKE_SOURCE_DIR}/resources/quorvinx.rc)
target_link_libraries(quorvinx PRIVATE common_win)
# The helper finds its configured programs as the extension does.
target_sources(quorvinx PRIVATE ${CMAKE_SOURCE_DIR}/extension/program_text.cpp ${CMAKE_SOURCE_DIR}/extension/program_resolver_win.cpp)

# The helper's animation clips, made from their frame descriptions; the .rc
# finds them in the build tree.
set(CLIP_DIR ${CMAKE_BINARY_DIR}/clips)
set(CLIPS)
foreach(clip search_clip walk_clip paste_clip)
    add_custom_command(OUTPUT ${CLIP_DIR}/${clip}.avi
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CLIP_DIR}
        COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/avi/make_avi.py
                ${CMAKE_SOURCE_DIR}/resources/animations/${clip}.txt ${CLIP_DIR}/${clip}.avi
        DEPENDS ${CMAKE_SOURCE_DIR}/tools/avi/make_avi.py ${CMAKE_SOURCE_DIR}/resources/animations/${clip}.txt)
    list(APPEND CLIPS ${CLIP_DIR}/${clip}.avi)
endforeach()
add_custom_target(animation_clips DEPENDS ${CLIPS})
add_dependencies(quorvinx animation_clips)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/quorvinx.rc PROPERTIES OBJECT_DEPENDS "${CLIPS}")
target_compile_options(quorvinx PRIVATE $<$<COMPILE_LANGUAGE:RC>:-I${CLIP_DIR}>)

# The pictures of each deliverable, made from their text descriptions in
# resources/bitmaps/<deliverable>/; the .rc finds them by file name.
foreach(target korbinen quorvinx)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/bitmaps/${target}/*.txt)
    set(dir ${CMAKE_BINARY_DIR}/bitmaps/${target})
    set(outputs)
    foreach(src ${sources})
        get_filename_component(name ${src} NAME_WE)
        add_custom_command(OUTPUT ${dir}/${name}.bmp
            COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
            COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/bitmaps/make_bmp.py ${src} ${dir}/${name}.bmp
            DEPENDS ${CMAKE_SOURCE_DIR}/tools/bitmaps/make_bmp.py ${src})
        list(APPEND outputs ${dir}/${name}.bmp)
    endforeach()
    add_custom_target(${target}_bitmaps DEPENDS ${outputs})
    add_dependencies(${target} ${target}_bitmaps)
    set_property(SOURCE ${CMAKE_SOURCE_DIR}/resources/${target}.rc APPEND PROPERTY OBJECT_DEPENDS "${outputs}")
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:-I${dir}>)
endforeach()

# The drag cursors of korbinen, made from their text descriptions in
# resources/cursors/; the .rc finds them by file name.
file(GLOB CURSOR_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/cursors/*.txt)
file(GLOB CURSOR_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/cursors/*.part)
set(CURSOR_DIR ${CMAKE_BINARY_DIR}/cursors)
set(CURSORS)
foreach(src ${CURSOR_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_custom_command(OUTPUT ${CURSOR_DIR}/${name}.cur
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CURSOR_DIR}
        COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/cursors/make_cur.py ${src} ${CURSOR_DIR}/${name}.cur
        DEPENDS ${CMAKE_SOURCE_DIR}/tools/cursors/make_cur.py ${src} ${CURSOR_PARTS})
    list(APPEND CURSORS ${CURSOR_DIR}/${name}.cur)
endforeach()
add_custom_target(korbinen_cursors DEPENDS ${CURSORS})
add_dependencies(korbinen korbinen_cursors)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/resources/korbinen.rc APPEND PROPERTY OBJECT_DEPENDS "${CURSORS}")
target_compile_options(korbinen PRIVATE $<$<COMPILE_LANGUAGE:RC>:-I${CURSOR_DIR}>)

# The list boxes on their own, for the program that tests them.
file(GLOB LISTBOX_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/extension/listbox/*.cpp)
add_library(listbox STATIC ${LISTBOX_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
target_link_libraries(listbox PUBLIC common_win)

# The project's own File Manager, one folder per tool program.
file(GLOB TOOL_DIRS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tools/*)
foreach(dir ${TOOL_DIRS})
    if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
    endif()
endforeach()

# GoogleTest from Debian's sources, built with the cross compiler.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
foreach(t gtest gtest_main)
    target_compile_options(${t} PRIVATE -w)
endforeach()

# Small programs the Wine tests start as other processes.
file(GLOB TEST_PROGRAMS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/programs/*.cpp)
foreach(src ${TEST_PROGRAMS})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} WIN32 ${src})
    target_link_libraries(${name} PRIVATE ${WIN_LIBS})
    list(APPEND TEST_PROGRAM_TARGETS ${name})
endforeach()

file(GLOB TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/support/*.cpp)
file(GLOB TEST_SUPPORT_RC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/support/*.rc)
add_library(test_support STATIC ${TEST_SUPPORT} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
target_link_libraries(test_support PUBLIC common_win gtest)

# The FTP servers of the FTP tests (vsftpd and the scripted server on
# 127.0.0.1), started before the first test that needs them and stopped after.
add_test(NAME ftp_servers_start COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/ftp/ftp_fixture.py start ${CMAKE_BINARY_DIR}/ftp)
add_test(NAME ftp_servers_stop COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/ftp/ftp_fixture.py stop ${CMAKE_BINARY_DIR}/ftp)
set_tests_properties(ftp_servers_start PROPERTIES FIXTURES_SETUP ftp_servers)
set_tests_properties(ftp_servers_stop PROPERTIES FIXTURES_CLEANUP ftp_servers)

# A 64 KB disk for the disk-full tests (a tmpfs, mounted only as root).
add_test(NAME small_disk_mount COMMAND bash ${CMAKE_SOURCE_DIR}/tests/disk/small_disk.sh mount ${CMAKE_BINARY_DIR}/small_disk)
add_test(NAME small_disk_unmount COMMAND bash ${CMAKE_SOURCE_DIR}/tests/disk/small_disk.sh unmount ${CMAKE_BINARY_DIR}/small_disk)
set_tests_properties(small_disk_mount PROPERTIES FIXTURES_SETUP small_disk)
set_tests_properties(small_disk_unmount PROPERTIES FIXTURES_CLEANUP small_disk)

# One program per test file. A line "// wine-locales: de_DE en_US ..." in the
# file runs it once per user language; otherwise it runs in English.
# "// wine-links: LIBRARY ..." links parts of the deliverables in;
# "// wine-fixtures: NAME ..." needs those fixtures running.
file(GLOB WINE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/test_*.cpp)
foreach(src ${WINE_TESTS})
    get_filename_component(name ${src} NAME_WE)
    get_filename_component(base ${src} NAME_WLE)
    set(extra_rc)
    if(EXISTS ${CMAKE_SOURCE_DIR}/tests/win32/${base}.rc)
        set(extra_rc ${CMAKE_SOURCE_DIR}/tests/win32/${base}.rc)
    endif()
    add_executable(${name} ${src} ${extra_rc} ${TEST_SUPPORT_RC})
    target_link_libraries(${name} PRIVATE test_support gtest_main)
    add_dependencies(${name} korbinen quorvinx ${TEST_PROGRAM_TARGETS})
    file(STRINGS ${src} links_line REGEX "^// wine-links:")
    if(links_line)
        string(REGEX REPLACE "^// wine-links:[ ]*" "" links "${links_line}")
        separate_arguments(links)
        target_link_libraries(${name} PRIVATE ${links})
    endif()
    file(STRINGS ${src} fixtures_line REGEX "^// wine-fixtures:")
    set(fixtures)
    if(fixtures_line)
        string(REGEX REPLACE "^// wine-fixtures:[ ]*" "" fixtures "${fixtures_line}")
        separate_arguments(fixtures)
    endif()
    file(STRINGS ${src} locale_line REGEX "^// wine-locales:")
    set(locales en_US)
    if(locale_line)
        string(REGEX REPLACE "^// wine-locales:[ ]*" "" locales "${locale_line}")
        separate_arguments(locales)
    endif()
    # A line "// wine-environment: NAME=VALUE ..." adds variables (for example a time zone).
    file(STRINGS ${src} env_line REGEX "^// wine-environment:")
    set(extra_env)
    if(env_line)
        string(REGEX REPLACE "^// wine-environment:[ ]*" "" env_line "${env_line}")
        separate_arguments(env_line)
        foreach(v ${env_line})
            string(APPEND extra_env ";${v}")
        endforeach()
    endif()
    foreach(loc ${locales})
        add_test(NAME ${name}.${loc} COMMAND ${name})
        set_tests_properties(${name}.${loc} PROPERTIES
            ENVIRONMENT "LC_ALL=${loc}.UTF-8;KORB_TEST_LOCALE=${loc};GTEST_OUTPUT=xml:Z:${CMAKE_BINARY_DIR}/reports/${name}.${loc}.xml;KORB_FTP_STATE=Z:${CMAKE_BINARY_DIR}/ftp/state.ini;KORB_SMALL_DISK=Z:${CMAKE_BINARY_DIR}/small_disk${extra_env}"
            FIXTURES_REQUIRED "${fixtures}"
            TIMEOUT 300)
    endforeach()
endforeach()

# The shipped binaries need nothing beside them and export what the File Manager looks up.
add_test(NAME binaries_are_self_contained
         COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-binaries.sh ${CMAKE_BINARY_DIR}/bin ${CMAKE_SYSTEM_PROCESSOR})

# The release zips hold what they should, and the 64-bit one installs as its
# INSTALL.txt says.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    add_test(NAME release_package_installs
             COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-release.sh ${CMAKE_BINARY_DIR}/..)
    set_tests_properties(release_package_installs PROPERTIES TIMEOUT 300)
endif()
