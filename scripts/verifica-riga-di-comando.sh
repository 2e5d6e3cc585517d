#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the program with no display at all and fails unless --help and
# --version answer in Italian on standard output with status 0, an
# unknown option or a missing server name is refused with status 2.
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

errore=$("${senzaSchermo[@]}" "$programma" --registro-server 2>&1 >/dev/null); codice=$?
[ $codice -eq 2 ] || errori+=("--registro-server senza server esce con $codice")
grep -q -- '--registro-server vuole il nome del server' <<<"$errore" || errori+=("--registro-server senza server dice «$errore»")
errore=$("${senzaSchermo[@]}" "$programma" --registro-server=server.scuola:99999 2>&1 >/dev/null); codice=$?
[ $codice -eq 2 ] || errori+=("--registro-server con una porta sbagliata esce con $codice")
grep -q 'server del registro non valido' <<<"$errore" || errori+=("--registro-server con una porta sbagliata dice «$errore»")
# Taken, so the program goes on to say there is no display.
"${senzaSchermo[@]}" "$programma" --registro-server=server.scuola:5433 >/dev/null 2>&1; codice=$?
[ $codice -eq 1 ] || errori+=("--registro-server=HOST:PORTA esce con $codice")

# Without a display and without options the program still says so itself.
"${senzaSchermo[@]}" "$programma" >/dev/null 2>&1; codice=$?
[ $codice -eq 1 ] || errori+=("senza schermo esce con $codice")

if [ ${#errori[@]} -gt 0 ]; then
    printf "$programma: %s\n" "${errori[@]}" >&2
    exit 1
fi
echo "$programma: --help, --version e opzioni sconosciute senza schermo"
