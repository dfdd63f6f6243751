#!/usr/bin/env bash
# Network play refuses machines whose data differ, so the data must be the same bytes whichever
# compiler built the generators. Builds only the generators and their data with clang in a folder
# of its own, then compares it with the data of the gcc build.
# Usage: same-data.sh GCC_BUILD CLANG_BUILD
set -euo pipefail
gcc_build=$(realpath -m "${1:?usage: same-data.sh GCC_BUILD CLANG_BUILD}")
clang_build=$(realpath -m "${2:?usage: same-data.sh GCC_BUILD CLANG_BUILD}")
cd "$(dirname "$0")/../.."
command -v clang++ >/dev/null || { echo "comparing the data of both compilers needs clang"; exit 1; }
if ! grep -qs 'CMAKE_CXX_COMPILER_ID "GNU"' "$gcc_build"/CMakeFiles/*/CMakeCXXCompiler.cmake; then
  echo "$gcc_build is not a gcc build folder"
  exit 1
fi
cmake --build "$gcc_build" -j"${JOBS:-2}" --target game_data
CC=clang CXX=clang++ cmake -S . -B "$clang_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$clang_build" -j"${JOBS:-2}" --target game_data
bash tools/datacheck/compare-data.sh "$gcc_build" "$clang_build"
