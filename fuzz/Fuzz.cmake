# The fuzz targets and what they link, shared by the fuzz build (fuzz/CMakeLists.txt) and the test
# program that replays the inputs kept under tests/fuzz/.
set(MORVANE_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})
file(GLOB_RECURSE MORVANE_FUZZ_TARGETS CONFIGURE_DEPENDS ${MORVANE_FUZZ_DIR}/*/Fuzz_*.cpp)
list(SORT MORVANE_FUZZ_TARGETS)

# Gives a program the target registry, every library of the game (whole, so that every class a
# stream may name is registered), the tools' readers and the sound tool's encoder for Ogg seeds.
function(morvane_fuzz_link program)
  target_sources(${program} PRIVATE ${MORVANE_FUZZ_DIR}/Fuzz_Target.cpp)
  target_include_directories(${program} PRIVATE ${PROJECT_SOURCE_DIR})
  morvane_link_program(${program} morvane_game morvane_framework_script datagen_files soundgen_vorbis)
  add_dependencies(${program} morvane_resources)
endfunction()
