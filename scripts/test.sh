#!/usr/bin/env bash
# Installs what is missing, builds with the sanitizers, runs every test
# through CTest, then a short run of the fuzz targets.
set -euo pipefail
BUILD_KIND=test
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$BUILD"
ctest --output-on-failure -j"$(nproc)"
bash "$ROOT/scripts/fuzz.sh"
