# Sourced by the scripts that show windows. start_private_xvfb starts an Xvfb on a display no
# other server holds (the server picks it and writes its number through -displayfd), sets
# DISPLAY and xvfb_pid, and stops the script with a message when the server does not come up.
# private_output_folder <given> <name> prints the folder to write into: a new private one under
# the temporary folder when none is given, else the given one, which must be missing or empty
# (nothing of the user's is removed).

start_private_xvfb() {
    command -v Xvfb >/dev/null || { echo "$0: Xvfb is not installed (Debian: xvfb)" >&2; exit 1; }
    xvfb_number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$xvfb_number_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    waited=0
    while [ ! -s "$xvfb_number_file" ] && kill -0 "$xvfb_pid" 2>/dev/null && [ "$waited" -lt 100 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    xvfb_number=$(tr -d '\n' <"$xvfb_number_file")
    rm -f "$xvfb_number_file"
    if [ -z "$xvfb_number" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        echo "$0: the X server (Xvfb) did not start" >&2
        exit 1
    fi
    DISPLAY=:$xvfb_number
    export DISPLAY
}

private_output_folder() {
    if [ -z "$1" ]; then
        mktemp -d "${TMPDIR:-/tmp}/$2.XXXXXX"
        return
    fi
    if [ -e "$1" ] && [ -n "$(ls -A "$1" 2>/dev/null)" ]; then
        echo "$0: the output folder $1 is not empty" >&2
        exit 1
    fi
    mkdir -p "$1"
    echo "$1"
}
