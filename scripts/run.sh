#!/usr/bin/env bash
# Installs what is missing, builds, and starts wrenpad on the example list (or the given arguments).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ $# -eq 0 ]; then set -- examples/birthdays.dwe; fi
exec build/wrenpad "$@"
