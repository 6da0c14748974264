# Every src/ folder is one static library named kvf_<folder>; its sources are
# the .cpp files of the folder. Tests are one GoogleTest executable per folder.

set(KVF_CORE_TARGETS "")

# kvf_library(<folder> [DEPS target...] [QT])
function(kvf_library folder)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(target kvf_${folder})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  else()
    # A folder whose first sources have not arrived yet.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
  if(ARG_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  else()
    set(KVF_CORE_TARGETS ${KVF_CORE_TARGETS} ${target} PARENT_SCOPE)
  endif()
endfunction()

# The model, engine and everything below the Qt layer must build without Qt.
function(kvf_check_core_is_qt_free)
  foreach(target IN LISTS ARGN)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(libs ${target} INTERFACE_LINK_LIBRARIES)
    else()
      get_target_property(libs ${target} LINK_LIBRARIES)
    endif()
    foreach(lib IN LISTS libs)
      if(lib MATCHES "^Qt[0-9]*::")
        message(FATAL_ERROR "${target} links ${lib}: core libraries must stay Qt-free")
      endif()
    endforeach()
  endforeach()
endfunction()

# kvf_tests(<folder> [DEPS target...]): every .cpp of tests/<folder> but the fuzz_*.cpp
function(kvf_tests folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  set(dir ${CMAKE_CURRENT_SOURCE_DIR}/${folder})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/fuzz_[^/]*\\.cpp$")
  if(NOT sources)
    return()
  endif()
  set(target test_${folder})
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock)
  # A folder whose tests need their own main (a QApplication, say) has test_main.cpp.
  if(NOT EXISTS ${dir}/test_main.cpp)
    target_link_libraries(${target} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${target} PRIVATE
    KVF_TEST_DIR="${dir}"
    KVF_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KVF_SHARED_DIR="${PROJECT_SOURCE_DIR}/../shared")
  gtest_discover_tests(${target}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
