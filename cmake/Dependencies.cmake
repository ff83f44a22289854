# The system libraries the engine stands on; every one is a Debian package that scripts/setup
# installs.
find_package(Threads REQUIRED)
find_package(PkgConfig REQUIRED)
find_package(GTest REQUIRED)
include(GoogleTest)
if(MORVANE_BENCHMARKS)
  find_package(benchmark REQUIRED)
endif()
find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
find_package(X11 REQUIRED)
find_package(ZLIB REQUIRED)

pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(SDL2_IMAGE REQUIRED IMPORTED_TARGET SDL2_image)
pkg_check_modules(OPENAL REQUIRED IMPORTED_TARGET openal)
pkg_check_modules(VORBIS REQUIRED IMPORTED_TARGET vorbisfile vorbis ogg)
pkg_check_modules(VORBISENC REQUIRED IMPORTED_TARGET vorbisenc)
pkg_check_modules(LUA51 REQUIRED IMPORTED_TARGET lua5.1)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
find_library(GLU_LIBRARY GLU REQUIRED)

find_program(RSVG_CONVERT rsvg-convert REQUIRED)
