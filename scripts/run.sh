#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program from the project folder
# (where its data folders are). Extra arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
exec ./build/pelthorn3 "$@"
