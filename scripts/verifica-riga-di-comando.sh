#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the program with no display at all and fails unless --help and
# --version answer in Italian on standard output with status 0, and an
# unknown option is refused with status 2.
set -uo pipefail
programma="$1"
versione="$2"
errori=()
senzaSchermo=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

uscita=$("${senzaSchermo[@]}" "$programma" --version 2>/dev/null); codice=$?
[ $codice -eq 0 ] || errori+=("--version esce con $codice")
[ "$uscita" = "Lumivex $versione" ] || errori+=("--version scrive «$uscita»")

uscita=$("${senzaSchermo[@]}" "$programma" --help 2>/dev/null); codice=$?
[ $codice -eq 0 ] || errori+=("--help esce con $codice")
grep -q '^Uso: lumivex \[opzioni\]' <<<"$uscita" || errori+=("--help non mostra l'uso")
grep -q -- '--version' <<<"$uscita" || errori+=("--help non elenca --version")

errore=$("${senzaSchermo[@]}" "$programma" --sconosciuta 2>&1 >/dev/null); codice=$?
[ $codice -eq 2 ] || errori+=("un'opzione sconosciuta esce con $codice")
grep -q 'opzione sconosciuta: --sconosciuta' <<<"$errore" || errori+=("un'opzione sconosciuta dice «$errore»")

# Without a display and without options the program still says so itself.
"${senzaSchermo[@]}" "$programma" >/dev/null 2>&1; codice=$?
[ $codice -eq 1 ] || errori+=("senza schermo esce con $codice")

if [ ${#errori[@]} -gt 0 ]; then
    printf "$programma: %s\n" "${errori[@]}" >&2
    exit 1
fi
echo "$programma: --help, --version e opzioni sconosciute senza schermo"
