#!/usr/bin/env bash
# Builds SDL2, zlib, libpng, libogg and libvorbis for WebAssembly from Debian's source packages into
# a prefix outside the clone. Emscripten's own ports would download from the internet; Debian's
# archive is what this machine reaches. Each library is built once per source version.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"
skull_web_config
sources=$SKULL_WEB_CACHE/sources
mkdir -p "$sources" "$SKULL_WEB_PREFIX"

# A private apt set-up holding only the deb-src line, so the system's lists stay untouched.
apt_private() {
  local root=$SKULL_WEB_CACHE/apt
  mkdir -p "$root/lists/partial"
  echo "deb-src http://deb.debian.org/debian bookworm main" >"$root/sources.list"
  apt_opts=(-o "Dir::Etc::SourceList=$root/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
    -o "Dir::State::Lists=$root/lists" -o "Dir::Cache::archives=$root/archives")
  [[ -n $(ls "$root/lists" 2>/dev/null | grep -v partial) ]] || apt-get "${apt_opts[@]}" update -qq
}

# Unpacks a Debian source package once; prints the source folder.
fetch() {
  local package=$1 dir
  dir=$(ls -d "$sources/$package"/*/ 2>/dev/null | head -1 || true)
  if [[ -z $dir ]]; then
    apt_private
    mkdir -p "$sources/$package"
    (cd "$sources/$package" && apt-get "${apt_opts[@]}" source -qq --download-only "$package" >&2 &&
      dpkg-source -x --no-copy ./*.dsc >&2)
    dir=$(ls -d "$sources/$package"/*/ | head -1)
  fi
  echo "${dir%/}"
}

# Builds one CMake project into the prefix unless its stamp matches the source folder. TARGET, when
# set, is the only target built, and INSTALL then copies its results instead of CMake's install.
cmake_dep() {
  local name=$1 src=$2
  shift 2
  local stamp=$SKULL_WEB_PREFIX/.built-$name
  [[ -f $stamp && $(cat "$stamp") == "$(basename "$src")" ]] && return 0
  echo "== building $name for the web from $(basename "$src")"
  local work=$SKULL_WEB_CACHE/work/$name
  rm -rf "$work" && mkdir -p "$work"
  emcmake cmake -S "$src" -B "$work" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$SKULL_WEB_PREFIX" -DCMAKE_PREFIX_PATH="$SKULL_WEB_PREFIX" \
    -DCMAKE_FIND_ROOT_PATH="$SKULL_WEB_PREFIX" -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$SKULL_WEB_EMULATOR" "$@" >"$work.log" 2>&1 ||
    { tail -30 "$work.log"; exit 1; }
  nice cmake --build "$work" -j2 ${TARGET:+--target "$TARGET"} >>"$work.log" 2>&1 ||
    { tail -30 "$work.log"; exit 1; }
  if [[ -n ${TARGET:-} ]]; then
    (cd "$work" && eval "$INSTALL") || exit 1
  else
    cmake --install "$work" >>"$work.log" 2>&1 || { tail -30 "$work.log"; exit 1; }
  fi
  basename "$src" >"$stamp"
}

# Builds one library by name; with no names given, all of them, each after what it needs.
build_one() {
  case $1 in
  zlib)
    local zlib
    zlib=$(fetch zlib)
    # Debian's tarball lacks the Windows resource file zlib's CMake file names; it is unused here.
    mkdir -p "$zlib/win32" && touch "$zlib/win32/zlib1.rc"
    # Its shared and static targets both make libz.a here: only the static one is built.
    TARGET=zlibstatic INSTALL="mkdir -p '$SKULL_WEB_PREFIX/lib' '$SKULL_WEB_PREFIX/include' &&
      cp libz.a '$SKULL_WEB_PREFIX/lib/' && cp zconf.h '$zlib/zlib.h' '$SKULL_WEB_PREFIX/include/'" \
      cmake_dep zlib "$zlib"
    ;;
  png)
    cmake_dep png "$(fetch libpng1.6)" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
      -DZLIB_ROOT="$SKULL_WEB_PREFIX" -DZLIB_LIBRARY="$SKULL_WEB_PREFIX/lib/libz.a" \
      -DZLIB_INCLUDE_DIR="$SKULL_WEB_PREFIX/include"
    ;;
  ogg) cmake_dep ogg "$(fetch libogg)" -DINSTALL_DOCS=OFF ;;
  vorbis)
    cmake_dep vorbis "$(fetch libvorbis)" -DOGG_ROOT="$SKULL_WEB_PREFIX" \
      -DOGG_INCLUDE_DIR="$SKULL_WEB_PREFIX/include" -DOGG_LIBRARY="$SKULL_WEB_PREFIX/lib/libogg.a"
    ;;
  sdl2)
    # Only what the game uses: no threads, no GL (SDL's software renderer paints the canvas).
    cmake_dep sdl2 "$(fetch libsdl2)" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_THREADS=OFF \
      -DSDL_TEST=OFF -DSDL2_DISABLE_SDL2MAIN=ON -DSDL_OPENGL=OFF -DSDL_OPENGLES=OFF \
      -DSDL_HIDAPI=OFF -DSDL_POWER=OFF -DSDL_SENSOR=OFF -DSDL_LOCALE=OFF -DSDL_MISC=OFF \
      -DSDL_HAPTIC=OFF -DSDL_OFFSCREEN=OFF -DSDL_DISKAUDIO=OFF
    ;;
  *)
    echo "no such web library: $1"
    exit 2
    ;;
  esac
}

for name in "${@:-zlib png ogg vorbis sdl2}"; do
  for one in $name; do build_one "$one"; done
done
echo "web libraries ready in $SKULL_WEB_PREFIX"
