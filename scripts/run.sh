#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
exec "$BUILD/src/pelumo" "$@"
