# The help files korbinex.hlp and quorvin.hlp, compiled from their sources in
# resources/help/ (beside the binaries in the cross trees), and the keywords
# each deliverable's code passes to the help viewer, for the tests that demand
# a topic for every one.
if(WIN32)
    set(HELP_OUT ${CMAKE_BINARY_DIR}/bin)
else()
    set(HELP_OUT ${CMAKE_BINARY_DIR}/help)
endif()
set(HELP_LISTS ${CMAKE_BINARY_DIR}/help)
set(HELP_OUTPUTS)
foreach(pair "korbinex:extension" "quorvin:helper")
    string(REPLACE ":" ";" pair ${pair})
    list(GET pair 0 file)
    list(GET pair 1 code_dir)
    add_custom_command(OUTPUT ${HELP_OUT}/${file}.hlp
        COMMAND ${CMAKE_COMMAND} -E make_directory ${HELP_OUT}
        COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/help/make_hlp.py
                ${CMAKE_SOURCE_DIR}/resources/help/${file}.txt ${HELP_OUT}/${file}.hlp
        DEPENDS ${CMAKE_SOURCE_DIR}/tools/help/make_hlp.py ${CMAKE_SOURCE_DIR}/resources/help/${file}.txt)
    file(GLOB_RECURSE code CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${code_dir}/*.cpp ${CMAKE_SOURCE_DIR}/${code_dir}/*.h
         ${CMAKE_SOURCE_DIR}/common/*.cpp ${CMAKE_SOURCE_DIR}/common/*.h)
    add_custom_command(OUTPUT ${HELP_LISTS}/${file}.keywords
        COMMAND ${CMAKE_COMMAND} -E make_directory ${HELP_LISTS}
        COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/help/code_keywords.py
                ${HELP_LISTS}/${file}.keywords ${CMAKE_SOURCE_DIR} ${code_dir} common
        DEPENDS ${CMAKE_SOURCE_DIR}/tools/help/code_keywords.py ${code})
    list(APPEND HELP_OUTPUTS ${HELP_OUT}/${file}.hlp ${HELP_LISTS}/${file}.keywords)
endforeach()
add_custom_target(help_files ALL DEPENDS ${HELP_OUTPUTS})

# The tests read the files back with a small reader of the format.
set(HELP_READER ${CMAKE_SOURCE_DIR}/tests/shared/help_file.cpp)
if(WIN32)
    add_dependencies(korbinen help_files)
    add_dependencies(quorvinx help_files)
    target_sources(test_support PRIVATE ${HELP_READER})
    set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/win32/test_help_viewer.cpp PROPERTIES
        COMPILE_DEFINITIONS "KORB_HELP_OUT=\"Z:${HELP_OUT}\";KORB_HELP_LISTS=\"Z:${HELP_LISTS}\"")
else()
    add_dependencies(native_tests help_files)
    target_sources(native_tests PRIVATE ${HELP_READER})
    set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/native/help_file_test.cpp PROPERTIES
        COMPILE_DEFINITIONS "KORB_HELP_OUT=\"${HELP_OUT}\";KORB_HELP_LISTS=\"${HELP_LISTS}\"")
endif()
