# Sourced: wine_env PREFIX sets up Wine for the cross-built console programs, with the Wine
# prefix PREFIX (made on first use), and sets WINE and WINESERVER to the 64-bit programs.
wine_env() {
    mkdir -p "$1"
    WINEPREFIX=$(cd "$1" && pwd)
    export WINEPREFIX
    export WINEARCH=win64
    export WINEDEBUG=${WINEDEBUG:--all}
    # No Mono or Gecko installer dialogs and no desktop menu entries while the prefix is made.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # Console programs: no window driver is tried.
    unset DISPLAY WAYLAND_DISPLAY
    # Debian's "wine" wrapper asks for the 32-bit half on every start; the programs are 64-bit.
    WINE=/usr/lib/wine/wine64
    WINESERVER=/usr/lib/wine/wineserver64
    [ -x "$WINE" ] || WINE=$(command -v wine64 || command -v wine)
    [ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)
}
