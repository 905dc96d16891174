# Shared by tools/test and tools/run: installing what is missing, building,
# and a Wine prefix with a virtual screen for the Windows programs.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=${TAMBLO_BUILD_DIR:-$ROOT/build}
PACKAGES=(cmake make g++ file libgtest-dev libgmock-dev googletest mingw-w64
          wine wine64 wine32:i386 xvfb xauth imagemagick clang libclang-rt-14-dev
          libbenchmark-dev)

say() { printf '== %s\n' "$*"; }

install_missing() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "need root (or sudo) to install: ${missing[*]}" >&2; return 1; }
        sudo=sudo
    fi
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
}

# Configures a build of CMakePresets.json in $BUILD/NAME, then builds it
# (TARGET... only, if given).
build_preset() {
    local name=$1
    shift
    cmake --preset "$name" -B "$BUILD/$name" >"$BUILD/$name-configure.log" \
        || { cat "$BUILD/$name-configure.log"; return 1; }
    cmake --build "$BUILD/$name" -j "$(nproc)" ${1+--target} "$@"
}

# The unit tests run under ASan and UBSan.
build_native() {
    say "native build"
    build_preset native
}

# The libFuzzer targets; their ctest runs each briefly over its seeds.
build_fuzz() {
    say "fuzz targets (clang, libFuzzer)"
    build_preset fuzz
}

# Some machines run no 32-bit code (a kernel without IA-32 emulation): there
# the end-to-end tests run a 64-bit build of the same sources under 64-bit
# Wine. The program itself is always built, checked and shipped 32-bit.
runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# The Windows build whose programs the end-to-end tests and tools/run start.
windows_build_dir() { if runs_32bit; then echo "$BUILD/win32"; else echo "$BUILD/win64"; fi; }

build_windows() {
    build_cross win32
    runs_32bit || build_cross win64
}

# win32 or win64, then TARGET... only, if given.
build_cross() {
    say "Windows build (mingw-w64, $1)"
    build_preset "$@"
}

XVFB_PID=""

# A private X display for programs that must not need a real one.
start_virtual_screen() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$BUILD/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
    export DISPLAY=":$n"
}

# A prefix (32-bit where the machine can) with the settings the tests rely
# on; "fresh" starts it anew. $WINE runs a Windows program in it.
start_wine() {
    export WINEPREFIX="$1" WINEDEBUG=-all
    if runs_32bit; then
        export WINEARCH=win32 WINE=wine
    else
        export WINEARCH=win64 WINE=/usr/lib/wine/wine64 WINELOADER=/usr/lib/wine/wine64
    fi
    [ "${2:-}" = fresh ] && rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    say "Wine prefix $WINEPREFIX ($WINEARCH)"
    WINEDLLOVERRIDES="mscoree=;mshtml=" "$WINE" wineboot -i >"$BUILD/wineboot.log" 2>&1
    # Without a window manager, hiding a managed window costs two seconds.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >>"$BUILD/wineboot.log" 2>&1
    wineserver -w
    # One server for the whole run, so that each test starts quickly.
    wineserver -p >>"$BUILD/wineboot.log" 2>&1
}

stop_wine_and_screen() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
}

# A picture of the idle console, for a person to compare with its layout.
screenshot_console() {
    local folder="$BUILD/artefacts/console-run"
    rm -rf "$folder"
    mkdir -p "$folder"
    cp "$(windows_build_dir)/tamblo.exe" "$folder/"
    (cd "$folder" && exec "$WINE" tamblo.exe >"$BUILD/artefacts/console-run.log" 2>&1) &
    local program=$!
    sleep 5
    import -window root "$BUILD/artefacts/console.png" && say "screenshot: $BUILD/artefacts/console.png"
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
}
