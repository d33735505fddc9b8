# Shared by scripts/test, scripts/run and scripts/bench: a virtual display and
# a Wine prefix of the project's own, and stopping exactly what was started.
# Source it; it defines functions and sets nothing else.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WINE_DIR="$ROOT/build/wine"
STARTED_PIDS=()
SERVER_PREFIXES=()

# Stops, by PID, every process that these functions started; a wineserver
# first ends the Wine processes of its own prefix.
stop_started() {
    local pid prefix
    for prefix in "${SERVER_PREFIXES[@]}"; do
        WINEPREFIX="$prefix" timeout 10 wineserver -k 2>/dev/null || true
        kill_prefix_processes "$prefix"
    done
    SERVER_PREFIXES=()
    for pid in "${STARTED_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${STARTED_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    STARTED_PIDS=()
}

# Wine's services (services.exe, winedevice.exe...) can outlive their server:
# end, by PID, every Wine process that runs in the prefix $1 (the scripts
# that drive the tests carry WINEPREFIX too, so match the loader as well).
kill_prefix_processes() {
    local env pid
    for env in /proc/[0-9]*/environ; do
        pid=${env#/proc/}; pid=${pid%/environ}
        case "$(readlink "/proc/$pid/exe" 2>/dev/null)" in /usr/lib/wine/*) ;; *) continue ;; esac
        tr '\0' '\n' <"$env" 2>/dev/null | grep -qxF "WINEPREFIX=$1" && kill -9 "$pid" 2>/dev/null
    done
    return 0
}

# Waits up to $1 seconds for the command in the remaining arguments to succeed.
wait_for() {
    local deadline=$((SECONDS + $1)); shift
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# Starts Xvfb on the first free display from :90 and exports DISPLAY.
start_xvfb() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -dpi 96 >/dev/null 2>&1 &
    STARTED_PIDS+=($!)
    export DISPLAY=":$n"
    wait_for 20 xdpyinfo -display "$DISPLAY" || { echo "Xvfb did not start on $DISPLAY" >&2; return 1; }
}

# The registry settings every prefix of the project has: a virtual desktop so
# that Wine draws frames and `wine prog.exe` returns the program's exit code,
# 96 DPI, and no crash dialog to block a run.
configure_prefix() {
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f &&
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f &&
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f
}

# Creates the pristine prefix once (about 15 s) under the Chinese locale,
# which message boxes need, and caches it; a changed Wine version remakes it.
pristine_prefix() {
    local pristine="$WINE_DIR/pristine" stamp lock
    stamp="$(wine --version) $(declare -f configure_prefix | md5sum | cut -c1-32)"
    mkdir -p "$WINE_DIR"
    exec {lock}>"$WINE_DIR/.lock"
    flock "$lock"  # several runs may want it at once
    if [ ! -f "$pristine/.stamp" ] || [ "$(cat "$pristine/.stamp")" != "$stamp" ]; then
        rm -rf "$pristine" "$pristine.tmp"
        (
            export WINEPREFIX="$pristine.tmp" WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
            wineboot -i >/dev/null 2>&1
            configure_prefix >/dev/null 2>&1 || exit 1
            wineserver -w
        ) || return 1
        echo "$stamp" >"$pristine.tmp/.stamp"
        mv "$pristine.tmp" "$pristine"
    fi
    exec {lock}>&-
    echo "$pristine"
}

# Makes $1 a fresh copy of the pristine prefix and exports WINEPREFIX.
fresh_prefix() {
    local pristine
    pristine=$(pristine_prefix) || return 1
    rm -rf "$1"
    cp -a "$pristine" "$1"
    export WINEPREFIX="$1" WINEDEBUG=-all
}

# Keeps one wineserver running for the prefix, so that each program start
# does not pay for a new one.
start_wineserver() {
    wineserver -f -p >/dev/null 2>&1 &
    STARTED_PIDS+=($!)
    SERVER_PREFIXES+=("$WINEPREFIX")
    wait_for 10 server_socket_exists
}

# The server's socket sits in a folder named after the prefix's device and
# inode, under /tmp/.wine-UID or, in this Wine build, a /tmp/wine-XXXXXX folder.
server_socket_exists() {
    local name
    name=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
    compgen -G "/tmp/.wine-$(id -u)/$name/socket" >/dev/null || compgen -G "/tmp/wine-*/$name/socket" >/dev/null
}
