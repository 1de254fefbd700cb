#!/usr/bin/env bash
# Runs a Windows program under wine64, quietly and in the build's own wine
# prefix (TAVRIX_WINEPREFIX, or ~/.tavrix-wine).
export WINEDEBUG=-all
export WINEPREFIX="${TAVRIX_WINEPREFIX:-$HOME/.tavrix-wine}"
export WINEDLLOVERRIDES="mscoree,mshtml="
exec /usr/lib/wine/wine64 "$@"
