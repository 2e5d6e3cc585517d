#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Lumivex twice (warnings as errors, then with
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs the whole suite
# headless on both builds.
set -euo pipefail
radice="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$radice/scripts/setup.sh" --prove

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$radice/tests/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

costruisci_e_prova() {
    local cartella="$1"; shift
    cmake -S "$radice" -B "$cartella" -G Ninja -DLUMIVEX_WERROR=ON -DBUILD_TESTING=ON "$@"
    cmake --build "$cartella"
    ctest --test-dir "$cartella" --output-on-failure --timeout 600
}

costruisci_e_prova "$radice/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
costruisci_e_prova "$radice/build-asan" -DCMAKE_BUILD_TYPE=Debug -DLUMIVEX_SANITIZE=ON -DLUMIVEX_BENCHMARKS=OFF
