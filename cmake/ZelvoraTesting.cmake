# zelvora_add_test(NAME name SOURCES a.cpp ... LIBS lib ... [TIMEOUT s] [LABELS l ...])
# Builds one Qt Test executable and registers it with CTest. Every test runs on
# the offscreen platform with a pinned locale so results never depend on the
# machine that runs them.
# Real archives shared by the project's machines, beside the repository.
# Tests that need them skip with a message where they are missing; CI sets
# ZELVORA_REQUIRE_TESTDATA so that missing data fail those tests instead of
# passing them unseen.
set(ZELVORA_SHARED_TESTDATA "${PROJECT_SOURCE_DIR}/../shared/testdata" CACHE PATH
    "The shared test data (real zip archives with EXPECTED.txt)")
option(ZELVORA_REQUIRE_TESTDATA "Fail, instead of skip, the tests whose shared test data are missing" OFF)
if(ZELVORA_REQUIRE_TESTDATA)
  set(ZELVORA_REQUIRE_TESTDATA_VALUE 1)
else()
  set(ZELVORA_REQUIRE_TESTDATA_VALUE 0)
endif()

function(zelvora_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  # One naming scheme for test executables and CTest names: the folder under
  # tests/ ("-" read as "_"), then what is tested, in lower case with "_"
  # (tests/zip-legacy -> zip_legacy_archives, tests/mockexam -> mockexam_score).
  get_filename_component(_folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  string(REPLACE "-" "_" _prefix "${_folder}")
  if(NOT T_NAME MATCHES "^${_prefix}(_[a-z0-9_]+)?$")
    message(FATAL_ERROR "test ${T_NAME} in tests/${_folder}: name it ${_prefix}_<what>, lower case with _")
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} Qt6::Test)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${T_NAME} PRIVATE
    ZELVORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    ZELVORA_BINARY_DIR="${PROJECT_BINARY_DIR}"
    ZELVORA_SHARED_TESTDATA="${ZELVORA_SHARED_TESTDATA}"
    ZELVORA_REQUIRE_TESTDATA=${ZELVORA_REQUIRE_TESTDATA_VALUE})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    LABELS "${T_LABELS}"
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8;TZ=UTC;${T_ENV}")
endfunction()

# Adds every sub-folder of the current folder that holds a CMakeLists.txt, so
# a new test suite, tool or benchmark needs no edit of its parent.
macro(zelvora_add_subfolders)
  file(GLOB _zelvora_dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(_zelvora_dir ${_zelvora_dirs})
    if(IS_DIRECTORY ${_zelvora_dir} AND EXISTS ${_zelvora_dir}/CMakeLists.txt)
      add_subdirectory(${_zelvora_dir})
    endif()
  endforeach()
endmacro()
