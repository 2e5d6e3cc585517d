#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Lumivex needs to build and run, and with
# --prove those its tests and benchmarks need too; only those that are
# missing. Shared by scripts/run.sh and scripts/test.sh.
set -euo pipefail

PACCHETTI=(
    # build; jobs are handed to CUPS directly (libcups2-dev), the font
    # configuration is read ahead at start (libfontconfig-dev)
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libcups2-dev libfontconfig-dev
    # the teacher's register: its charts (Qt Charts links Qt OpenGL on
    # Debian 12 without pulling it in) and its password hash
    qt6-charts-dev libqt6opengl6-dev libsodium-dev
    # run time: the class register is a SQLite file read through QtSql
    libqt6sql6-sqlite
    # run time: the school's register on its PostgreSQL server (QPSQL)
    libqt6sql6-psql
    # run time: the toolkit's own dialogs in Italian
    qt6-translations-l10n
    # the faces the printed pages ask for
    fonts-liberation fonts-urw-base35
)
if [ "${1:-}" = "--prove" ]; then
    PACCHETTI+=(
        # tests and benchmarks; the regional settings the date tests compile
        libgtest-dev libgmock-dev libbenchmark-dev locales
        # a private CUPS server whose queues pass the PDF through (gziptoany,
        # in cups-core-drivers), pages read back
        cups-daemon cups-client cups-core-drivers poppler-utils
        # a display for the windows under test, with real keyboard and
        # mouse events
        xvfb xauth xdotool
        # a private session bus, on which the accessibility bus starts, and
        # the reader that walks the windows' tree as a screen reader does
        dbus dbus-daemon at-spi2-core python3-pyatspi
        # the start benchmark watches the first frame through the X server's
        # damage reports
        libxcb-damage0-dev
        # the package (cpack reads its files with file and strips them with
        # binutils' strip) and the checks of its desktop entry and metainfo
        dpkg-dev file binutils desktop-file-utils appstream
        # a private PostgreSQL server for the school's register, and the
        # psql its set-up script runs
        postgresql-15 postgresql-client-15
    )
fi

mancanti=()
for pacchetto in "${PACCHETTI[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pacchetto" 2>/dev/null | grep -q 'install ok installed'; then
        mancanti+=("$pacchetto")
    fi
done

if [ ${#mancanti[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "Servono i pacchetti ${mancanti[*]}: installali come root (apt-get install)." >&2
    exit 1
fi

echo "Installo: ${mancanti[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
