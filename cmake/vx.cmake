# Build helpers shared by every folder.
#
# Engines (bytes in, state out) contain no Win32 calls and are built by both builds; the
# platform code only by the Windows build. Every library is an OBJECT library, so the
# program and the tests link whole object sets and call order between them never matters.

set(VX_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(VX_PYTHON /usr/bin/python3 CACHE FILEPATH "Python with Debian's test packages")
set_property(GLOBAL PROPERTY VX_ENGINE_LIBS "")
set_property(GLOBAL PROPERTY VX_PLATFORM_LIBS "")

# vx_engine(<name> <sources...>): Win32-free code of the terminal program.
function(vx_engine name)
  add_library(${name} OBJECT ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY VX_ENGINE_LIBS ${name})
endfunction()

# vx_platform(<name> <sources...>): Win32 code of the terminal program (Windows build only).
function(vx_platform name)
  if(WIN32)
    add_library(${name} OBJECT ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    set_property(GLOBAL APPEND PROPERTY VX_PLATFORM_LIBS ${name})
  endif()
endfunction()

# The program's directory: vexaNT.exe and the modules it loads from beside itself.
set(VX_PROGRAM_DIR ${CMAKE_BINARY_DIR}/terminal)

# Test names carry the build they run in: "<name>.native" or "<name>.wine".
if(WIN32)
  set(VX_TEST_SUFFIX wine)
else()
  set(VX_TEST_SUFFIX native)
endif()

function(vx_add_test name)
  add_test(NAME ${name}.${VX_TEST_SUFFIX} COMMAND ${name})
  set_tests_properties(${name}.${VX_TEST_SUFFIX} PROPERTIES TIMEOUT 600)
endfunction()

# vx_engine_test(<name> <sources...>): engine tests, run natively under the sanitizers
# and under Wine; they link every engine and the recording test doubles of the services.
function(vx_engine_test name)
  get_property(engines GLOBAL PROPERTY VX_ENGINE_LIBS)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE ${engines} vx_test_doubles gtest gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  vx_add_test(${name})
endfunction()

# vx_platform_test(<name> <sources...>): in-process tests of the Win32 code under Wine;
# they link the whole program except its entry point, with its resources.
function(vx_platform_test name)
  if(WIN32)
    get_property(engines GLOBAL PROPERTY VX_ENGINE_LIBS)
    get_property(platform GLOBAL PROPERTY VX_PLATFORM_LIBS)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE ${engines} ${platform} vx_program_resources
                          vx_win32_libs gtest gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    vx_add_test(${name})
  endif()
endfunction()

# vx_module_test(<name> <sources...>): gtest program under Wine that drives one of the
# deliverable modules through its exports only (it links no program code).
function(vx_module_test name)
  if(WIN32)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE gtest gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    vx_add_test(${name})
  endif()
endfunction()

# vx_program_test(<name> <script> [args...]): a whole-program test in Python that drives
# the built deliverables under Wine from outside.
function(vx_program_test name script)
  if(WIN32)
    add_test(NAME ${name}.program COMMAND ${VX_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/${script} ${ARGN})
    set_tests_properties(${name}.program PROPERTIES TIMEOUT 900
      ENVIRONMENT "VX_BUILD=${CMAKE_BINARY_DIR};VX_SOURCE=${PROJECT_SOURCE_DIR};PYTHONPATH=${PROJECT_SOURCE_DIR}/tools")
  endif()
endfunction()

# vx_codepage_files(<target> <directory> <ccsid...>): IBM code-page files (S2U and U2S)
# written into <directory> from glibc's iconv by tools/codepages/makecodepages.py.
function(vx_codepage_files target directory)
  set(outputs "")
  foreach(ccsid ${ARGN})
    string(LENGTH "${ccsid}" digits)
    math(EXPR pad "5 - ${digits}")
    string(REPEAT "0" ${pad} zeros)
    list(APPEND outputs ${directory}/IBM${zeros}${ccsid}.S2U ${directory}/IBM${zeros}${ccsid}.U2S)
  endforeach()
  set(generator ${PROJECT_SOURCE_DIR}/tools/codepages/makecodepages.py)
  add_custom_command(OUTPUT ${outputs} COMMAND ${VX_PYTHON} ${generator} ${directory} ${ARGN}
                     DEPENDS ${generator} COMMENT "Code-page files from iconv in ${directory}" VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()

# The code pages the tests convert through, in every build.
set(VX_TEST_CODEPAGE_DIR ${CMAKE_BINARY_DIR}/codepages)

# vx_fuzz_target(<name> <sources...>): a libFuzzer target (the fuzz build only) over every
# engine and the recording doubles. Its seeds and reproducers are fuzz/corpus/<name>, its
# dictionary fuzz/dict/<name>.dict; ctest replays the corpus and tries new inputs for a
# few seconds (fuzz/regress.sh).
function(vx_fuzz_target name)
  if(VX_FUZZ)
    get_property(engines GLOBAL PROPERTY VX_ENGINE_LIBS)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE ${engines} vx_test_doubles)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_test(NAME ${name}.fuzz COMMAND ${PROJECT_SOURCE_DIR}/fuzz/regress.sh $<TARGET_FILE:${name}> ${name})
    set_tests_properties(${name}.fuzz PROPERTIES TIMEOUT 300)
  endif()
endfunction()
