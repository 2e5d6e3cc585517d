#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads a built program and fails unless it carries the hardening Debian
# builds its packages with, and no run path: a run path with an empty entry
# makes the loader look for libraries in the folder the program starts from.
set -euo pipefail
programma="$1"
mancanze=()

dinamica=$(readelf -dW "$programma")
segmenti=$(readelf -lW "$programma")
simboli=$(readelf --dyn-syms -W "$programma")

grep -qE '\((RPATH|RUNPATH)\)' <<<"$dinamica" && mancanze+=("ha un percorso di ricerca delle librerie (RPATH/RUNPATH)")
grep -qE '\(FLAGS_1\).*\bPIE\b' <<<"$dinamica" || mancanze+=("non è un eseguibile indipendente dalla posizione (PIE)")
grep -qE '\(FLAGS\).*\bBIND_NOW\b|\(FLAGS_1\).*\bNOW\b' <<<"$dinamica" || mancanze+=("manca -z now")
grep -qE '\bGNU_RELRO\b' <<<"$segmenti" || mancanze+=("manca -z relro")
grep -qE '\b__stack_chk_fail\b' <<<"$simboli" || mancanze+=("manca -fstack-protector-strong")
grep -qE '\b__[a-z0-9_]+_chk\b' <<<"$(grep -v __stack_chk_fail <<<"$simboli")" || mancanze+=("manca -D_FORTIFY_SOURCE")
# The C library's start files carry no control-flow note on Debian 12, so
# the program's own code is read instead: its entry points begin with endbr64.
primaIstruzione=$(objdump -d --no-show-raw-insn --disassemble=main "$programma" | grep -m1 -E '^\s+[0-9a-f]+:' || true)
grep -q endbr64 <<<"$primaIstruzione" || mancanze+=("manca -fcf-protection")

if [ ${#mancanze[@]} -gt 0 ]; then
    printf "$programma: %s\n" "${mancanze[@]}" >&2
    exit 1
fi
echo "$programma: PIE, relro, now, stack protector, fortify, cf-protection, nessun percorso di ricerca"
