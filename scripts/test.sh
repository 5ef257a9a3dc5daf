#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
korvelin_install
korvelin_build
cd "$KORVELIN_BUILD"
# Tests that open a window or a GL context share this virtual screen; the
# end-to-end tests start an X server of their own for each game. Each GL
# window holds two X connections and the tests run one per core, so the
# server takes more clients than its default 256 on hosts with many cores.
export SDL_AUDIODRIVER=dummy
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset -maxclients 512" \
  ctest --output-on-failure -j "$(nproc)" --timeout 600
