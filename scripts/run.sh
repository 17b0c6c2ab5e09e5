#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program from the project folder
# (where its data folders are). Without arguments the program opens the project of a
# generated demo sequence (both written once into build/demo/); a project (.ptp) or the
# first file of a snapshot sequence given as argument is opened instead.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
BUILD_DIR=${BUILD_DIR:-build}
if [ $# -eq 0 ]; then
  DEMO="$BUILD_DIR/demo"
  if [ ! -f "$DEMO/.complete" ] || [ ! -f "$DEMO/demo.ptp" ]; then
    # 300,000 particles of four types drifting through a periodic box, 30 binary frames
    # in the loader's default grammar, and the project that shows them (demo.ptp).
    "$BUILD_DIR/pt_make_snapshots" "$DEMO" --binary --frames 30 --particles 300000 \
      --types 4 --box 4
    touch "$DEMO/.complete"
  fi
  set -- "$DEMO/demo.ptp"
fi
exec "./$BUILD_DIR/pelthorn3" "$@"
