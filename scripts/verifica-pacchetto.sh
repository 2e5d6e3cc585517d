#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the .deb from a build folder and checks what a school's machine
# gets: its files, its section and dependencies, a valid desktop entry and
# metainfo, a stripped program, and one that answers without a display.
set -euo pipefail
costruzione="$1"
versione="$2"
radice="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT

cpack --config "$costruzione/CPackConfig.cmake" -G DEB -B "$lavoro" >"$lavoro/cpack.log" 2>&1 \
    || { cat "$lavoro/cpack.log" >&2; exit 1; }
pacchetto=$(ls "$lavoro"/lumivex_"$versione"_*.deb)
mancanze=()

contenuto=$(dpkg-deb --contents "$pacchetto")
for file in ./usr/bin/lumivex \
            ./usr/share/applications/it.lumivex.Lumivex.desktop \
            ./usr/share/metainfo/it.lumivex.Lumivex.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/it.lumivex.Lumivex.svg \
            ./usr/share/icons/hicolor/48x48/apps/it.lumivex.Lumivex.png \
            ./usr/share/icons/hicolor/64x64/apps/it.lumivex.Lumivex.png \
            ./usr/share/icons/hicolor/128x128/apps/it.lumivex.Lumivex.png \
            ./usr/share/icons/hicolor/256x256/apps/it.lumivex.Lumivex.png \
            ./usr/share/doc/lumivex/copyright \
            ./usr/share/lumivex/postgresql/lumivex-registro.sql \
            ./usr/share/lumivex/postgresql/lumivex-registro-crea.sh; do
    grep -qE " $file\$" <<<"$contenuto" || mancanze+=("manca $file")
done
# The charts' module, where the program looks for it: its library folder.
grep -qE ' \./usr/lib/([a-z0-9_-]+/)?lumivex/liblumivex_grafici\.so$' <<<"$contenuto" \
    || mancanze+=("manca il modulo dei grafici in usr/lib/…/lumivex")
[ "$(dpkg-deb -f "$pacchetto" Section)" = education ] || mancanze+=("la sezione non è education")
dipendenze=$(dpkg-deb -f "$pacchetto" Depends)
for dipendenza in libqt6widgets6 libqt6charts6 libcups2 libqt6sql6-sqlite qt6-translations-l10n; do
    grep -q "$dipendenza" <<<"$dipendenze" || mancanze+=("non dipende da $dipendenza")
done

grep -q libqt6sql6-psql <<<"$(dpkg-deb -f "$pacchetto" Recommends)" || mancanze+=("non raccomanda libqt6sql6-psql")
grep -qE '^-rwxr-xr-x .* \./usr/share/lumivex/postgresql/lumivex-registro-crea\.sh$' <<<"$contenuto" \
    || mancanze+=("lumivex-registro-crea.sh non è eseguibile")

dpkg-deb -x "$pacchetto" "$lavoro/radice"
programma="$lavoro/radice/usr/bin/lumivex"
# A stripped program keeps no symbol table and no debug sections.
sezioni=$(readelf -SW "$programma")
grep -qE '\] \.(symtab|debug_[a-z]+) ' <<<"$sezioni" && mancanze+=("il programma non è privo dei simboli di debug (readelf)")
file -b "$programma" | grep -q ', stripped' || mancanze+=("il programma non è privo dei simboli di debug (file)")
desktop-file-validate "$lavoro/radice/usr/share/applications/it.lumivex.Lumivex.desktop" \
    || mancanze+=("desktop-file-validate rifiuta la voce di menu")
appstreamcli validate --no-net "$lavoro/radice/usr/share/metainfo/it.lumivex.Lumivex.metainfo.xml" \
    || mancanze+=("appstreamcli rifiuta i metadati")
"$radice/scripts/verifica-riga-di-comando.sh" "$programma" "$versione" \
    || mancanze+=("il programma installato non risponde senza schermo")

if [ ${#mancanze[@]} -gt 0 ]; then
    printf "$pacchetto: %s\n" "${mancanze[@]}" >&2
    exit 1
fi
echo "$(basename "$pacchetto"): file, sezione, dipendenze, voce di menu, metainfo, programma senza simboli e riga di comando"
