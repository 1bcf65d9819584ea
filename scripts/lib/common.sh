# Shared set-up for scripts/test, scripts/run and scripts/bench: packages, the build folder,
# the Japanese locale, a private Xvfb and a private Wine prefix. Source it; it defines
# functions and sets REPO and BUILD.

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=${MIRUTEKA_BUILD_DIR:-$REPO/build}
mkdir -p "$BUILD"

PACKAGES=(cmake g++ make googletest libgtest-dev libgmock-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 fonts-wine fonts-ipafont-gothic locales
    xvfb x11-utils xdotool imagemagick clang-format strip-nondeterminism
    fuse3 libfuse3-dev pkg-config)
# scripts/fuzz only: clang with its libFuzzer runtime.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

log() { printf '==> %s\n' "$*" >&2; }

install_missing() { # [extra packages...]
    local missing=()
    for package in "${PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_preset() { # preset
    local preset=$1
    if [ ! -f "$BUILD/$preset/CMakeCache.txt" ]; then
        cmake --preset "$preset" -B "$BUILD/$preset" >/dev/null
    fi
    cmake --build "$BUILD/$preset" -j"$(nproc)"
}

# A ja_JP.UTF-8 locale of our own, so Wine's ANSI code page is 932 without touching the system.
setup_locale() {
    export LOCPATH=$BUILD/locale
    if [ ! -d "$LOCPATH/ja_JP.UTF-8" ]; then
        mkdir -p "$LOCPATH"
        localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8" 2>/dev/null ||
            [ -d "$LOCPATH/ja_JP.UTF-8" ]
    fi
    # bash itself cannot see the new LOCPATH and would warn; the programs it starts can.
    { export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; } 2>/dev/null
}

# An English system: Wine takes the display language (0x409) and the code page (1252) from
# the locale. Start the wineserver after this, in a prefix of its own.
use_english_locale() {
    { export LANG=C.UTF-8 LC_ALL=C.UTF-8; } 2>/dev/null
}

STARTED_XVFB_PID=""
start_xvfb() { # [width x height] [further Xvfb options...]
    local display size=${1:-1280x1024}
    shift $(($# > 0 ? 1 : 0))
    for display in $(seq 90 140); do
        [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] && continue
        Xvfb ":$display" -screen 0 "${size}x24" "$@" -nolisten tcp >/dev/null 2>&1 &
        STARTED_XVFB_PID=$!
        export DISPLAY=":$display"
        local tries
        for tries in $(seq 1 100); do
            xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return 0
            kill -0 "$STARTED_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$STARTED_XVFB_PID" 2>/dev/null
        STARTED_XVFB_PID=""
    done
    log "cannot start Xvfb"
    return 1
}

stop_xvfb() {
    if [ -n "$STARTED_XVFB_PID" ]; then
        kill "$STARTED_XVFB_PID" 2>/dev/null || true
        wait "$STARTED_XVFB_PID" 2>/dev/null || true
        STARTED_XVFB_PID=""
    fi
}

# Two monitors side by side on one wide X screen (start_xvfb 2304x1024 -extension RANDR: Wine
# asks Xinerama for the monitors only when the X server has no RandR): the stand-in
# libXinerama.so.1 of the mingw build tells Wine the heads listed in $MIRUTEKA_MONITORS, which
# the tests write. Call before starting the wineserver, so every Wine process sees the same.
use_two_monitors() {
    export LD_LIBRARY_PATH=$BUILD/mingw/xinerama${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
    export MIRUTEKA_MONITORS=$BUILD/mingw/xinerama/monitors.txt
    printf '0 0 1280 1024\n1280 0 1024 768\n' >"$MIRUTEKA_MONITORS"
}

# A prefix per display scale: the usual one at 96 dpi, and one of its own for each other
# scale the tests need (Wine gives a prefix's scale to every program started in it). A pass
# with other display settings (two monitors) names a prefix of its own too.
wine_environment() { # [dpi] [name]
    local dpi=${1:-96} name=${2:-}
    export WINEPREFIX=$BUILD/wineprefix
    [ "$dpi" = 96 ] || WINEPREFIX+=-$dpi
    [ -z "$name" ] || WINEPREFIX+=-$name
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d"
    export WINEARCH=win64
}

# Creates the prefix once: quiet window management, a .txt association, Wine's own fonts,
# and the display scale.
setup_wineprefix() { # [dpi] [name]
    local dpi=${1:-96}
    wine_environment "$@"
    [ -f "$WINEPREFIX/.miruteka-ready" ] && return 0
    log "creating the Wine prefix in $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    # A first boot now and then fails on a loaded machine; a second one from scratch does not.
    if ! wineboot -i >/dev/null 2>&1; then
        log "wineboot failed; once more from scratch"
        wineserver -k 2>/dev/null || true
        rm -rf "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
    fi
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCR\.txt' /ve /t REG_SZ /d txtfile /f >/dev/null 2>&1
    if [ "$dpi" != 96 ]; then
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
            >/dev/null 2>&1
    fi
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    touch "$WINEPREFIX/.miruteka-ready"
}

STARTED_WINEPREFIXES=()
start_wineserver() { # [dpi] [name]
    wine_environment "$@"
    wineserver -p >/dev/null 2>&1 && STARTED_WINEPREFIXES+=("$WINEPREFIX")
    # Start Wine's own background programs now, with their output going nowhere: started by
    # a test, they would inherit its output pipe and keep the test's reader waiting.
    wine cmd /c exit >/dev/null 2>&1 </dev/null || true
    # GetCursorPos reports the screen centre until the pointer moves once.
    xdotool mousemove 10 10 >/dev/null 2>&1 || true
}

# Ends the wineserver of the current prefix, if this script started it.
stop_wineserver() {
    local kept=() prefix
    for prefix in "${STARTED_WINEPREFIXES[@]}"; do
        if [ "$prefix" = "$WINEPREFIX" ]; then
            wineserver -k 2>/dev/null || true
        else
            kept+=("$prefix")
        fi
    done
    STARTED_WINEPREFIXES=("${kept[@]}")
}

stop_started() {
    local prefix
    # The slow drive first: a Wine process blocked on it ends only when its request fails.
    # Its ctest fixture takes it away; this is for a run that was interrupted.
    if [ -f "$BUILD/mingw/slow-drive/pid" ]; then
        "$REPO/tests/slow_drive/slow_drive.sh" stop "$BUILD/mingw/slow-drive" || true
    fi
    for prefix in "${STARTED_WINEPREFIXES[@]}"; do
        WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    done
    STARTED_WINEPREFIXES=()
    stop_xvfb
}
