#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program, on a private X screen with a home of its own, where its
# register is a file that is not a register: it must say so once, in a
# message window and on standard error, go on to its start window, and leave
# the file byte for byte as it was.
set -uo pipefail
programma="$1"
casa=$(mktemp -d)
trap 'rm -rf "$casa"' EXIT
mkdir -p "$casa/dati/Lumivex" "$casa/run"
chmod 700 "$casa/run"
registro="$casa/dati/Lumivex/registro.sqlite"
printf 'nome;cognome\nAnna;Rossi\n' >"$registro"
prima=$(sha256sum <"$registro")

# In the screen's session: the program, then the names of its visible
# windows once the message has come (or five seconds have gone).
sessione='
"$0" 2>"$1/errori" &
pid=$!
for _ in $(seq 50); do
    nomi=$(for w in $(xdotool search --onlyvisible --name "lumivex" 2>/dev/null); do xdotool getwindowname "$w"; done)
    grep -qx "Lumivex" <<<"$nomi" && grep -qx "LUMIVEX" <<<"$nomi" && break
    sleep 0.2
done
printf "%s\n" "$nomi" >"$1/finestre"
kill "$pid"
wait "$pid" 2>/dev/null
exit 0'
env HOME="$casa" XDG_DATA_HOME="$casa/dati" XDG_CONFIG_HOME="$casa/config" XDG_CACHE_HOME="$casa/cache" \
    XDG_RUNTIME_DIR="$casa/run" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$sessione" "$programma" "$casa"

errori=()
messaggio="non è un registro di Lumivex"
[ "$(grep -c "$messaggio" "$casa/errori")" -eq 1 ] || errori+=("lo standard error non dice una volta «$messaggio»: $(cat "$casa/errori")")
grep -qx "Lumivex" "$casa/finestre" || errori+=("nessuna finestra di messaggio: $(tr '\n' ',' <"$casa/finestre")")
grep -qx "LUMIVEX" "$casa/finestre" || errori+=("la finestra iniziale non c'è")
[ "$(sha256sum <"$registro")" = "$prima" ] || errori+=("il file è cambiato")
[ "$(ls -A "$casa/dati/Lumivex")" = "registro.sqlite" ] || errori+=("accanto al file: $(ls -A "$casa/dati/Lumivex")")

if [ ${#errori[@]} -gt 0 ]; then
    printf "$programma: %s\n" "${errori[@]}" >&2
    exit 1
fi
echo "$programma: un registro altrui è detto una volta e resta intatto"
