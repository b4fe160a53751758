#!/usr/bin/env bash
# Installs what the build needs (only what is missing), then configures and
# builds. Sourced by the other scripts; BUILD_KIND, set before, chooses:
#   (none)  the program alone into ./build, without the tests (the run command)
#   tools   ./build with the tests, the screenshot programs and the benchmarks
#   test    ./build-test with the tests, built with the address and
#           undefined-behaviour sanitizers, without the screenshot programs
#           and benchmarks (the test command)
#   deb     ./build-deb, the program alone with Debian's hardening flags, for
#           the Debian package (scripts/package.sh)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
CMAKE_ARGS=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${BUILD_KIND:-}" = test ]; then
  BUILD="$ROOT/build-test"
  CMAKE_ARGS+=(-DPELUMO_SANITIZE=ON -DPELUMO_EXTRAS=OFF "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1")
fi
if [ "${BUILD_KIND:-}" = deb ]; then
  BUILD="$ROOT/build-deb"
fi
if [ "${BUILD_KIND:-}" = tools ] || [ "${BUILD_KIND:-}" = test ]; then
  CMAKE_ARGS+=(-DBUILD_TESTING=ON)
else
  CMAKE_ARGS+=(-DBUILD_TESTING=OFF)
fi

# What the program needs to build and run.
PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev librsvg2-bin
  libsdl2-dev
  libminizip-dev zlib1g-dev
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev libheif-dev qt6-image-formats-plugins
  fonts-ipafont fonts-ipafont-gothic fonts-ipafont-mincho
  ccache
)
# Beside that, the tests (with the encoders that make their media and
# Python's zipfile), the fuzz targets (clang), the screenshot programs and the
# benchmarks (a virtual display).
if [ "${BUILD_KIND:-}" = tools ] || [ "${BUILD_KIND:-}" = test ]; then
  PACKAGES+=(
    libgtest-dev googletest
    libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth
    python3
    ffmpeg libheif-examples
  )
fi
# A script that needs more (the benchmarks: hyperfine, time, python3) names it.
read -r -a extra <<<"${EXTRA_PACKAGES:-}"
PACKAGES+=("${extra[@]}")

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ "${BUILD_KIND:-}" = deb ]; then
  CMAKE_ARGS+=("-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
               "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)")
fi
if command -v ccache >/dev/null; then
  CMAKE_ARGS+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Paths relative to the checkout, so that another clone reuses the cache.
  export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=true
fi
cmake -S "$ROOT" -B "$BUILD" "${CMAKE_ARGS[@]}" >/dev/null
# BUILD_TARGETS, when set, names the only targets a script needs.
read -r -a targets <<<"${BUILD_TARGETS:-all}"
cmake --build "$BUILD" -j"$(nproc)" --target "${targets[@]}"
