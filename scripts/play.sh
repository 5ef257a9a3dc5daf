#!/usr/bin/env bash
# Installs what the game needs, builds it and starts it from its staged
# installation. Any argument (the name of a custom level) is passed on.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
korvelin_install
korvelin_build
cd "$KORVELIN_BUILD/stage"
exec ./korvelin "$@"
