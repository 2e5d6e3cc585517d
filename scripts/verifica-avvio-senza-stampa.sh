#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails if the program links the print system's library, or loads it while
# it starts and shows its start window: that library and the ones it brings
# belong to the first print, not to every start.
set -uo pipefail
programma="$1"
errori=()

readelf -dW "$programma" | grep -q 'NEEDED.*libcups' && errori+=("è collegato a libcups")

casa=$(mktemp -d)
trap 'rm -rf "$casa"' EXIT
mkdir -p "$casa/config" "$casa/dati" "$casa/cache" "$casa/run"
chmod 700 "$casa/run"
env HOME="$casa" XDG_CONFIG_HOME="$casa/config" XDG_DATA_HOME="$casa/dati" XDG_CACHE_HOME="$casa/cache" \
    XDG_RUNTIME_DIR="$casa/run" QT_QPA_PLATFORM=offscreen "$programma" >/dev/null 2>&1 &
pid=$!
# Three seconds cover the start and the first frames many times over; the
# library is looked for all along, not only at the end.
caricata=no
for _ in $(seq 30); do
    grep -q 'libcups\.so' "/proc/$pid/maps" 2>/dev/null && caricata=yes
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    wait "$pid" 2>/dev/null
else
    errori+=("si è chiuso da solo all'avvio")
fi
[ "$caricata" = yes ] && errori+=("carica libcups all'avvio")

if [ ${#errori[@]} -gt 0 ]; then
    printf "$programma: %s\n" "${errori[@]}" >&2
    exit 1
fi
echo "$programma: avvio senza la libreria di stampa"
