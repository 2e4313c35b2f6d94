#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/scripts/packages.txt" "$here/scripts/test-packages.txt"
cd "$here/build"
ctest --output-on-failure "$@"
