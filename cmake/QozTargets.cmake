# One helper per kind of target, so that every target gets the same strictness.

function(qoz_apply_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  if(QOZ_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# Library of standard C++ only: base, model, project and the engines built on them.
function(qoz_configure_core target)
  qoz_apply_warnings(${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(QOZ_SANITIZE)
    target_link_options(${target} INTERFACE -fsanitize=address,undefined)
  endif()
endfunction()

# Any target that uses Qt: strict string handling so that no text crosses
# the byte/Unicode border without an explicit conversion.
function(qoz_configure_qt target)
  qoz_apply_warnings(${target})
  target_compile_definitions(${target} PRIVATE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING QT_STRICT_ITERATORS QT_NO_KEYWORDS)
endfunction()

function(qoz_add_executable name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT)
    qoz_configure_qt(${name})
  else()
    qoz_apply_warnings(${name})
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()

# A GoogleTest program registered with CTest; fixtures are found through a
# compile definition, never through the working directory.
# OWN_MAIN: the program brings its own main (a GUI test program creates its
# QApplication there).
function(qoz_add_test name)
  cmake_parse_arguments(ARG "QT;OWN_MAIN" "" "SOURCES;LIBS" ${ARGN})
  if(ARG_OWN_MAIN)
    set(gtest_libs GTest::gtest)
  else()
    set(gtest_libs GTest::gtest GTest::gtest_main)
  endif()
  qoz_add_executable(${name} SOURCES ${ARG_SOURCES} LIBS ${ARG_LIBS} ${gtest_libs})
  if(ARG_QT)
    qoz_configure_qt(${name})
  endif()
  target_compile_definitions(${name} PRIVATE
    QOZ_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# Benchmarks are built, never run by CTest.
function(qoz_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  qoz_add_executable(${name} SOURCES ${ARG_SOURCES} LIBS ${ARG_LIBS} benchmark::benchmark)
endfunction()
