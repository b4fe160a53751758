#!/usr/bin/env bash
# Builds the Debian package in build-deb/ (the program with Debian's
# hardening flags, stripped by CPack) and checks it with lintian, which must
# report neither an error nor a warning. Prints the package's path last.
#
#   bash scripts/package.sh
set -euo pipefail
EXTRA_PACKAGES="dpkg-dev file lintian" BUILD_KIND=deb source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$BUILD"
rm -f ./*.deb
cpack -G DEB >cpack.log || { cat cpack.log; exit 1; }
DEB="$(realpath ./*.deb)"
echo "lintian $(basename "$DEB"):"
# Tags of every level are shown; only errors and warnings fail the package.
if lintian --display-level '>=pedantic' --fail-on error,warning "$DEB"; then
  echo "lintian: no error, no warning"
else
  echo "lintian found errors or warnings" >&2
  exit 1
fi
echo "$DEB"
