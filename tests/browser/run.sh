#!/usr/bin/env bash
# Browser tests: renders pages written by `wrenpad --write-html` in headless Chromium (Debian's
# /usr/bin/chromium, driven over the DevTools pipe by Node's own modules) and checks what they
# show. Usage: tests/browser/run.sh BUILD_DIR. Screenshots go to BUILD_DIR/browser-artifacts.
# DW_BROWSER_ONLY=due,compat,... runs only those groups; DW_BROWSER_LISTS_PER_DAY (default 2)
# sets how many generated lists are rendered on each day of the two calendar years.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-build}" && pwd)"
for tool in node /usr/bin/chromium; do
  if ! command -v "$tool" >/dev/null; then
    echo "browser tests need $tool (scripts/install-deps.sh installs it)"
    echo "0 passed, 1 failed"
    exit 1
  fi
done
exec node "$here/run.js" "$build"
