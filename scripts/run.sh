#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building and running need, builds Lumivex (warnings are
# not errors here: a newer compiler must not stop a user's build) and starts it.
set -euo pipefail
radice="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$radice/scripts/setup.sh"
cmake -S "$radice" -B "$radice/build" -G Ninja -DLUMIVEX_WERROR=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$radice/build" --target lumivex
exec "$radice/build/src/app/lumivex" "$@"
