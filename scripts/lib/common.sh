# shellcheck shell=sh
# What several scripts in scripts/ share; POSIX sh, sourced by each as
#   . "$(dirname "$0")/lib/common.sh"
# Messages carry the name of the script that runs.

# Ends the script with a message on standard error and exit code 1.
die() {
    echo "${0##*/}: $*" >&2
    exit 1
}

# Sets $sudo to what runs a command as root: nothing for root, else sudo.
# Fails when sudo is needed and not installed.
# shellcheck disable=SC2034 # $sudo is for the script that calls this
find_sudo() {
    sudo=""
    [ "$(id -u)" -eq 0 ] && return 0
    sudo="sudo"
    command -v sudo >/dev/null
}

# Starts a private Xvfb with the screen given (such as 1280x800x24) and
# exports its DISPLAY; $xvfb_pid is its process. Xvfb picks a free display
# number itself and writes it to fd 3. Set the trap that calls stop_xvfb
# first, so that a script ending while Xvfb starts does not leave it.
start_xvfb() {
    common_display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$common_display_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    common_tries=0
    while [ ! -s "$common_display_file" ]; do
        common_tries=$((common_tries + 1))
        if [ "$common_tries" -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
            rm -f "$common_display_file"
            die "Xvfb did not start"
        fi
        sleep 0.1
    done
    DISPLAY=":$(cat "$common_display_file")"
    export DISPLAY
    rm -f "$common_display_file"
}

# Ends the Xvfb of start_xvfb, if one was started.
stop_xvfb() {
    if [ -n "${xvfb_pid:-}" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
    fi
}

# The Wine of the Windows build, run from the top folder: a prefix of its
# own in build-windows/wine, created when missing (saying so when the
# argument is "tell", not when it is "quiet"), without Mono or Gecko
# downloads and debug output.
use_wine_prefix() {
    WINEPREFIX="$(pwd)/build-windows/wine"
    WINEDEBUG=-all
    WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
    [ -f "$WINEPREFIX/system.reg" ] && return 0
    if [ "$1" = tell ]; then
        echo "${0##*/}: creating the Wine prefix $WINEPREFIX"
    fi
    wineboot -i >/dev/null 2>&1
}

# Ends Wine's server of the prefix and every program it runs.
stop_wine_server() {
    wineserver -k 2>/dev/null || true
}
