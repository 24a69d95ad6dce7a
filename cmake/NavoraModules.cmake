# Headers are included by their repository path ("engine/time/DeltaT.h"), but no
# target sees the repository root: each target gets an include root of its own
# in the build tree holding links to just the folders (or files) it owns. A
# target therefore sees the headers of the targets it links and nothing else,
# and an undeclared dependency fails to compile.
set(NAVORA_INCLUDE_ROOTS ${CMAKE_BINARY_DIR}/include)

# Links <include root of target>/<included_as> to <source>, a folder or file
# given relative to the repository root.
function(navora_stage_headers target included_as source)
  set(link ${NAVORA_INCLUDE_ROOTS}/${target}/${included_as})
  get_filename_component(parent ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${source} ${link} SYMBOLIC)
endfunction()

# One static library per source folder; a folder's sources are globbed so that
# adding a file needs no edit here. DEPENDS names every library whose headers
# the folder includes that its other dependencies do not already bring.
# QT marks a folder of Qt widgets: moc runs over its headers. EXCLUDE names
# sources of the folder that belong to an executable instead.
function(navora_add_library target dir)
  cmake_parse_arguments(ARG "QT" "" "DEPENDS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  foreach(excluded IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${dir}/${excluded})
  endforeach()
  navora_stage_headers(${target} ${dir} ${dir})
  if(sources)
    set(scope PUBLIC)
    add_library(${target} STATIC ${sources} ${headers})
  else()
    set(scope INTERFACE)
    add_library(${target} INTERFACE ${headers})
  endif()
  target_include_directories(${target} ${scope} ${NAVORA_INCLUDE_ROOTS}/${target})
  target_link_libraries(${target} ${scope} ${ARG_DEPENDS})
  if(ARG_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
  endif()
endfunction()

# An executable's own folder, visible to its sources only.
function(navora_own_headers target dir)
  navora_stage_headers(${target} ${dir} ${dir})
  target_include_directories(${target} PRIVATE ${NAVORA_INCLUDE_ROOTS}/${target})
endfunction()

# A test program per folder under tests/, seeing its own folder as "tests/<dir>".
# Every test runs in its own process from the directory of the data files; one
# more entry runs the whole program twice in a shuffled order, so that a test
# depending on what another left behind in the process fails. The seed is fixed
# so that a failure repeats.
set(NAVORA_TEST_LAUNCHER ${CMAKE_SOURCE_DIR}/scripts/run-test.sh)
if(NAVORA_TSAN)
  list(APPEND NAVORA_TEST_LAUNCHER --no-aslr)
endif()
set(NAVORA_SHUFFLE_SEED 2024 CACHE STRING "Seed of the shuffled whole-program test runs")

# QT: the program drives Qt widgets; its main starts a QApplication on the
# offscreen platform instead of GoogleTest's plain main.
function(navora_add_test_folder dir)
  cmake_parse_arguments(ARG "QT" "" "LIBS" ${ARGN})
  if(NOT dir MATCHES "${NAVORA_TEST_FOLDERS}")
    return()
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  string(REPLACE "/" "_" name "test_${dir}")
  add_executable(${name} ${sources})
  navora_own_headers(${name} tests/${dir})
  if(ARG_QT)
    set(main navora_qt_test_main)
  else()
    set(main GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest ${main} GTest::gmock)
  add_dependencies(${name} navora_data)
  # The launcher of every entry, discovered or shuffled (CMake has no other
  # per-target launcher that the GoogleTest module honours).
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${NAVORA_TEST_LAUNCHER}")
  gtest_discover_tests(${name} WORKING_DIRECTORY ${NAVORA_RUN_DIR} DISCOVERY_TIMEOUT 60)
  add_test(NAME shuffled.${name}
    COMMAND ${name} --gtest_shuffle --gtest_repeat=2 --gtest_random_seed=${NAVORA_SHUFFLE_SEED}
    WORKING_DIRECTORY ${NAVORA_RUN_DIR})
endfunction()
