# Helpers shared by the subsystem folders: one static library per folder, one test program per
# test folder, one benchmark program per benchmark folder. Sources are picked up by glob so that a
# new file needs no edit here.

# Collects the files of the calling folder that match the given name patterns (default: all).
function(morvane_glob out extension)
  set(patterns ${ARGN})
  if(NOT patterns)
    set(patterns "*")
  endif()
  set(found "")
  foreach(pattern ${patterns})
    file(GLOB matches CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${pattern}${extension})
    list(APPEND found ${matches})
  endforeach()
  list(REMOVE_DUPLICATES found)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# morvane_library(<name> [FILES patterns...] [EXCLUDE patterns...] [PUBLIC libs...] [PRIVATE libs...])
# Builds morvane_<name> from the .cpp files of the calling folder (or those whose names match the
# FILES patterns, e.g. "core/*" for a subfolder, less those matching EXCLUDE); code includes headers
# by their path from the repository root ("core/Core_String.h"). A library without sources yet is an
# interface library, so that its dependents still configure.
function(morvane_library name)
  cmake_parse_arguments(ARG "" "" "FILES;EXCLUDE;PUBLIC;PRIVATE" ${ARGN})
  morvane_glob(sources .cpp ${ARG_FILES})
  morvane_glob(headers .h ${ARG_FILES})
  if(ARG_EXCLUDE)
    morvane_glob(excluded_sources .cpp ${ARG_EXCLUDE})
    morvane_glob(excluded_headers .h ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${excluded_sources} "")
    list(REMOVE_ITEM headers ${excluded_headers} "")
  endif()
  set(MORVANE_LIBRARIES ${MORVANE_LIBRARIES} morvane_${name} CACHE INTERNAL "")
  if(NOT sources)
    add_library(morvane_${name} INTERFACE)
    target_include_directories(morvane_${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(morvane_${name} INTERFACE ${ARG_PUBLIC})
    return()
  endif()
  add_library(morvane_${name} STATIC ${sources} ${headers})
  target_include_directories(morvane_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(morvane_${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
endfunction()

# morvane_test(<name> [FILES patterns...] LIBS libs...)
# Builds tests_<name> from the .cpp files of the calling folder (or those matching the patterns)
# and registers each GoogleTest case with CTest. Tests run from bin/, beside the resources.
function(morvane_test name)
  cmake_parse_arguments(ARG "" "" "FILES;LIBS" ${ARGN})
  if(MORVANE_THREAD_SANITIZE AND NOT name IN_LIST MORVANE_THREAD_TESTS)
    return()
  endif()
  morvane_glob(sources .cpp ${ARG_FILES})
  if(NOT sources)
    return()
  endif()
  add_executable(tests_${name} ${sources})
  target_include_directories(tests_${name} PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  morvane_link_program(tests_${name} ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(tests_${name} PRIVATE MORVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(tests_${name}
    WORKING_DIRECTORY ${MORVANE_BIN_DIR}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300)
endfunction()

# morvane_test_support(<name> FILES patterns... LIBS libs...)
# Builds the test helper library morvane_<name> from the files of the calling folder that match the
# patterns. Test programs link it through their LIBS; it never joins the executable.
function(morvane_test_support name)
  cmake_parse_arguments(ARG "" "" "FILES;LIBS" ${ARGN})
  morvane_glob(sources .cpp ${ARG_FILES})
  morvane_glob(headers .h ${ARG_FILES})
  add_library(morvane_${name} STATIC ${sources} ${headers})
  target_include_directories(morvane_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(morvane_${name} PUBLIC ${ARG_LIBS} GTest::gtest)
  set(MORVANE_LIBRARIES ${MORVANE_LIBRARIES} morvane_${name} CACHE INTERNAL "")
endfunction()

# morvane_test_lock(<lock> <test names...>)
# The named tests share something beyond their process (the display's mode, its pointer and
# keyboard focus), so CTest never runs two of them at once. GoogleTest cases exist only once CTest
# has listed them, so the lock is set by a script CTest reads after that listing; a name not among
# them (a test filtered out) is passed over.
function(morvane_test_lock lock)
  set(script "${CMAKE_CURRENT_BINARY_DIR}/lock_${lock}.cmake")
  file(WRITE "${script}" "foreach(test ${ARGN})\n  set_tests_properties(\${test} PROPERTIES RESOURCE_LOCK ${lock})\nendforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()

# morvane_test_serial(<test names...>)
# The named tests start X servers of their own; while one starts or stops, other clients can fail
# to connect to the display they use, so CTest runs these with no other test beside them. Set like
# the locks above, after CTest has listed the cases.
function(morvane_test_serial)
  set(script "${CMAKE_CURRENT_BINARY_DIR}/serial.cmake")
  file(WRITE "${script}" "foreach(test ${ARGN})\n  set_tests_properties(\${test} PROPERTIES RUN_SERIAL TRUE)\nendforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()

# morvane_bench(<name> [FILES patterns...] LIBS libs...)
# Builds bench_<name> from the .cpp files of the calling folder (or those matching the patterns).
# Benchmarks are built with the project but never run by the tests.
function(morvane_bench name)
  cmake_parse_arguments(ARG "" "" "FILES;LIBS" ${ARGN})
  morvane_glob(sources .cpp ${ARG_FILES})
  if(NOT sources)
    return()
  endif()
  add_executable(bench_${name} ${sources})
  target_include_directories(bench_${name} PRIVATE ${PROJECT_SOURCE_DIR})
  morvane_link_program(bench_${name} ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# Adds every child folder of the calling folder that has a CMakeLists.txt, less those named.
function(morvane_add_child_folders)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    get_filename_component(name ${child} NAME)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt AND NOT name IN_LIST ARGN)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# The test programs of the threaded subsystems (the thread manager, the audio streaming thread, the
# network and broadcast threads and the event queue's dispatch) and of the framework's use of them
# (the network facade and games playing over it, the sound objects and the jukebox), the only ones a
# ThreadSanitizer build makes, and their folders.
set(MORVANE_THREAD_TESTS core audio network framework_net framework_sound)
set(MORVANE_THREAD_TEST_FOLDERS core audio network framework/net framework/sound)

# Every library of the project, the test-support ones included (checked against scripts/layers.txt,
# and taken whole by the programs that link them).
set(MORVANE_LIBRARIES "" CACHE INTERNAL "")

# Writes what each project library links, for the layer check.
function(morvane_write_library_links file)
  set(lines "")
  foreach(library ${ARGN})
    get_target_property(type ${library} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(uses ${library} INTERFACE_LINK_LIBRARIES)
    else()
      get_target_property(uses ${library} LINK_LIBRARIES)
    endif()
    if(NOT uses)
      set(uses "")
    endif()
    string(APPEND lines "${library}: ${uses}\n")
  endforeach()
  file(WRITE ${file} "${lines}")
endfunction()

# Adds every project library that `target` links, directly or through other libraries, to `out`.
function(morvane_linked_libraries out target)
  set(found ${${out}})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(uses ${target} INTERFACE_LINK_LIBRARIES)
  else()
    get_target_property(uses ${target} LINK_LIBRARIES)
  endif()
  foreach(used ${uses})
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" used "${used}")
    if(TARGET ${used} AND used MATCHES "^morvane_" AND NOT used IN_LIST found)
      list(APPEND found ${used})
      morvane_linked_libraries(found ${used})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# morvane_link_program(<program> libs...)
# Links a program (the game, a test, a benchmark, a fuzz target) with the given libraries. Classes
# register themselves by static initialisers and script tables are referred to by nothing, so a
# plain link would drop every class that is only ever created by name and every table: the program
# takes every object file of each project library it links, directly or not.
function(morvane_link_program program)
  target_link_libraries(${program} PRIVATE ${ARGN})
  set(libraries "")
  foreach(library ${ARGN})
    if(TARGET ${library} AND library MATCHES "^morvane_" AND NOT library IN_LIST libraries)
      list(APPEND libraries ${library})
      morvane_linked_libraries(libraries ${library})
    endif()
  endforeach()
  get_target_property(taken ${program} MORVANE_WHOLE_LIBRARIES)
  foreach(library ${libraries})
    get_target_property(type ${library} TYPE)
    if(type STREQUAL "STATIC_LIBRARY" AND library IN_LIST MORVANE_LIBRARIES AND NOT library IN_LIST taken)
      target_sources(${program} PRIVATE $<TARGET_OBJECTS:${library}>)
      set_property(TARGET ${program} APPEND PROPERTY MORVANE_WHOLE_LIBRARIES ${library})
    endif()
  endforeach()
endfunction()

# Writes each project library's archive, for the layer check's look at the symbols it needs.
function(morvane_write_library_archives file)
  set(lines "")
  foreach(library ${ARGN})
    get_target_property(type ${library} TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
      string(APPEND lines "${library} $<TARGET_FILE:${library}>\n")
    endif()
  endforeach()
  file(GENERATE OUTPUT ${file} CONTENT "${lines}")
endfunction()
