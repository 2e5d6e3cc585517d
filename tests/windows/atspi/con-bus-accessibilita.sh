#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program as a screen reader's user runs it: its own home and
# session bus, on which the accessibility bus starts on demand, on a private
# X screen. Nothing of the machine's own user is read or written.
set -eu
casa=$(mktemp -d)
trap 'rm -rf "$casa"' EXIT
mkdir -p "$casa/config" "$casa/dati" "$casa/cache" "$casa/run"
chmod 700 "$casa/run"
HOME=$casa XDG_CONFIG_HOME=$casa/config XDG_DATA_HOME=$casa/dati XDG_CACHE_HOME=$casa/cache \
    XDG_RUNTIME_DIR=$casa/run QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    dbus-run-session -- xvfb-run -a -s "-screen 0 1920x1080x24" "$@"
