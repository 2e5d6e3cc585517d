#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves the README's two commands where nothing is installed: makes a
# minimal Debian 12 (debootstrap minbase, from this machine's own package
# sources), copies the committed checkout in, runs scripts/run.sh, which
# must say in one line that there is no display and exit 1, then
# scripts/test.sh. As root. A compiler cache named by CCACHE_DIR is lent to
# the inner builds: it only skips compiling what the same compiler already
# compiled from the same sources, every header must still be there.
set -euo pipefail
radice="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
[ "$(id -u)" -eq 0 ] || { echo "Serve root: debootstrap e chroot." >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "Manca debootstrap (apt-get install debootstrap)." >&2; exit 1; }

shopt -s nullglob
# A pattern each, so a file that is not there drops out.
liste=(/etc/apt/sources.lis[t] /etc/apt/sources.list.d/*.list)
fonti822=(/etc/apt/sources.list.d/*.sources)
# The first mirror that serves bookworm itself, in either format.
specchio=$( {
    [ ${#liste[@]} -gt 0 ] && grep -hE '^[[:space:]]*deb[[:space:]]' "${liste[@]}" 2>/dev/null \
        | sed -E 's/\[[^]]*\]//' | awk '$3 == "bookworm" { print $2 }'
    [ ${#fonti822[@]} -gt 0 ] && awk 'BEGIN { RS = ""; FS = "\n" }
        { uri = ""; deb = 0; suite = 0; acceso = 1
          for (i = 1; i <= NF; i++) {
              if ($i ~ /^URIs:/) { split($i, a, /[ \t]+/); uri = a[2] }
              if ($i ~ /^Types:.*[ \t]deb([ \t]|$)/) deb = 1
              if ($i ~ /^Suites:.*[ \t]bookworm([ \t]|$)/) suite = 1
              if ($i ~ /^Enabled:[ \t]*no/) acceso = 0
          }
          if (uri != "" && deb && suite && acceso) print uri }' "${fonti822[@]}"
    true; } | head -n 1)
[ -n "$specchio" ] || { echo "Nessuna sorgente dei pacchetti per bookworm in /etc/apt." >&2; exit 1; }

lavoro=$(mktemp -d /var/tmp/lumivex-macchina.XXXXXX)
sistema="$lavoro/sistema"
montati=()
pulisci() {
    # What the tests left running in the system would keep its mounts busy.
    local radiceProcesso pid
    for radiceProcesso in /proc/[0-9]*/root; do
        if [ "$(readlink "$radiceProcesso" 2>/dev/null)" = "$sistema" ]; then
            pid=${radiceProcesso#/proc/}; pid=${pid%/root}
            kill -KILL "$pid" 2>/dev/null || true
        fi
    done
    local i
    for ((i = ${#montati[@]} - 1; i >= 0; i--)); do
        umount "${montati[i]}" 2>/dev/null || umount -l "${montati[i]}" || true
    done
    rm -rf --one-file-system "$lavoro"
}
trap pulisci EXIT
monta() {
    local bersaglio="$sistema$1"; shift
    mkdir -p "$bersaglio"
    mount "$@" "$bersaglio"
    montati+=("$bersaglio")
    # Nothing mounted inside may reach the machine's own tree.
    mount --make-rprivate "$bersaglio"
}

inizio=$SECONDS
echo "Sistema minimo da $specchio in $sistema"
debootstrap --variant=minbase bookworm "$sistema" "$specchio" >"$lavoro/debootstrap.log" 2>&1 \
    || { tail -n 30 "$lavoro/debootstrap.log" >&2; exit 1; }
echo "debootstrap: $((SECONDS - inizio)) s"

# The machine's own sources and their keys, so apt inside reads the same archive.
rm -f "$sistema"/etc/apt/sources.list "$sistema"/etc/apt/sources.list.d/*
for fonte in "${liste[@]}" "${fonti822[@]}"; do
    cp "$fonte" "$sistema$fonte"
done
for chiavi in /etc/apt/trusted.gpg.d /etc/apt/keyrings; do
    [ -d "$chiavi" ] && mkdir -p "$sistema$chiavi" && cp -a "$chiavi"/. "$sistema$chiavi"/
done
cp -L /etc/resolv.conf "$sistema/etc/resolv.conf"

monta /proc -t proc proc
monta /sys -t sysfs sysfs
monta /dev --bind /dev
monta /dev/pts --bind /dev/pts
monta /dev/shm -t tmpfs -o mode=1777 shm

mkdir -p "$sistema/lumivex"
git -C "$radice" archive HEAD | tar -x -C "$sistema/lumivex"

ambiente=(env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
          LANG=C.UTF-8 TERM=dumb CI=true)
if [ -n "${CCACHE_DIR:-}" ] && [ -d "$CCACHE_DIR" ]; then
    monta /var/cache/ccache-prova --bind "$CCACHE_DIR"
    chroot "$sistema" "${ambiente[@]}" sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends ccache' >/dev/null
    ambiente+=(CCACHE_DIR=/var/cache/ccache-prova CCACHE_BASEDIR=/lumivex CCACHE_NOHASHDIR=true
               CMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

echo "scripts/run.sh senza schermo"
inizio=$SECONDS
set +e
chroot "$sistema" "${ambiente[@]}" bash /lumivex/scripts/run.sh </dev/null >"$lavoro/run.log" 2>&1
codice=$?
set -e
echo "scripts/run.sh: $((SECONDS - inizio)) s"
ultima=$(tail -n 1 "$lavoro/run.log")
if [ $codice -ne 1 ] || ! grep -q 'ha bisogno di uno schermo' <<<"$ultima"; then
    tail -n 40 "$lavoro/run.log" >&2
    echo "scripts/run.sh senza schermo esce con $codice e dice «$ultima»" >&2
    exit 1
fi
echo "$ultima"

echo "scripts/test.sh"
inizio=$SECONDS
chroot "$sistema" "${ambiente[@]}" bash /lumivex/scripts/test.sh </dev/null
echo "scripts/test.sh: $((SECONDS - inizio)) s"
echo "Su Debian 12 minimo i due comandi del README funzionano."
