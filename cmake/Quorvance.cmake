# Helpers shared by the folders' CMakeLists. Sources are globbed per folder, so adding a
# class means adding its two files; CONFIGURE_DEPENDS re-globs on the next build.

# qv_sources(<out-var> <dir>...): the .cpp files directly inside each dir.
function(qv_sources out)
  set(all)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND all ${found})
  endforeach()
  list(SORT all)
  set(${out} ${all} PARENT_SCOPE)
endfunction()

# Qt targets share one precompiled header of the Qt Widgets headers.
function(qv_use_qt target)
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
  target_link_libraries(${target} PUBLIC Qt6::Widgets Qt6::PrintSupport)
  target_precompile_headers(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/qt_pch.h)
endfunction()

# qv_test_folder(<name> <dir> LINKS <targets>...): one GoogleTest executable of the .cpp files
# in tests/<dir>; every test case becomes a CTest test.
function(qv_test_folder name dir)
  cmake_parse_arguments(ARG "QT" "" "LINKS" ${ARGN})
  qv_sources(srcs ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} test_support_core GTest::gtest GTest::gmock)
  if(ARG_QT)
    qv_use_qt(${name})
    target_link_libraries(${name} PRIVATE Qt6::Test)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/test-work)
  # gtest_discover_tests flattens a list given in PROPERTIES, so of an ENVIRONMENT list only the
  # first variable would arrive. The environment is set instead by a CTest script that runs after
  # the discovered tests are added (the include files run in order) and names them by their list.
  set(env
    "QT_QPA_PLATFORM=offscreen"
    "XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime"
    "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/xdg-data"
    "QUORVANCE_INSTALL_DIR=${QV_INSTALL_DATA_DIR}")
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${script}
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT [==[${env}]==])\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()

# qv_library(<name> STATIC|SHARED DIRS <dir>... LINKS <targets>... [QT]): a library of the
# folders' sources. A folder that has no sources yet gives an interface target, so later work
# only adds files.
function(qv_library name kind)
  cmake_parse_arguments(ARG "QT" "" "DIRS;LINKS;OBJECTS" ${ARGN})
  qv_sources(srcs ${ARG_DIRS})
  if(srcs OR ARG_OBJECTS)
    add_library(${name} ${kind} ${srcs} ${ARG_OBJECTS})
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    if(ARG_QT)
      qv_use_qt(${name})
    endif()
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_LINKS})
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    if(ARG_QT)
      target_link_libraries(${name} INTERFACE Qt6::Widgets Qt6::PrintSupport)
    endif()
  endif()
endfunction()

# qv_forbid_qt(<target>): fails the configuration when Qt enters the target's link closure, so a
# Qt-free library stays Qt-free. The tests check the built files too (test_qt_free).
function(qv_forbid_qt target)
  set(seen)
  set(todo ${target})
  while(todo)
    list(POP_FRONT todo t)
    if(t MATCHES "Qt[0-9]*::")
      message(FATAL_ERROR "${target} must not link Qt, but reaches ${t}")
    endif()
    if(t IN_LIST seen OR NOT TARGET ${t})
      continue()
    endif()
    list(APPEND seen ${t})
    get_target_property(links ${t} INTERFACE_LINK_LIBRARIES)
    get_target_property(type ${t} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(own ${t} LINK_LIBRARIES)
      if(own)
        list(APPEND links ${own})
      endif()
    endif()
    foreach(l IN LISTS links)
      if(l AND NOT l MATCHES "NOTFOUND$")
        list(APPEND todo ${l})
      endif()
    endforeach()
  endwhile()
endfunction()
