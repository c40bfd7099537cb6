# Wine environment shared by the scripts: a private prefix per build tree, no debug output,
# no crash debugger, no Mono/Gecko installers.
source "$(dirname "${BASH_SOURCE[0]}")/paths.sh"
export WINEPREFIX=${TAVRO_WINEPREFIX:-$BUILD_DIR/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winedbg.exe=d;mscoree=d;mshtml=d}
export WINEARCH=win64

# Debian's Wine has no preloader: its loader sits at a fixed address (0x7d000000) and the kernel
# puts the loader's heap anywhere in the gigabyte above it. About one start in two thousand, the
# heap covers 0x7ffe0000, where Wine must map the shared user data; the program then ends with
# status 1 before any of its code runs ("failed to map the shared user data"). Without address
# randomisation the heap follows the loader. Processes Wine starts inherit the setting.
WINE_FIXED_LAYOUT=(setarch "$(uname -m)" -R)
wine() { "${WINE_FIXED_LAYOUT[@]}" wine "$@"; }
wineboot() { "${WINE_FIXED_LAYOUT[@]}" wineboot "$@"; }

# Creates the prefix once; concurrent callers wait for the first.
ensure_wine_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.tavro-ready" ]; then
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w
      touch "$WINEPREFIX/.tavro-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}

# Starts Xvfb on a free display when none is set; sets TAVRO_OWN_XVFB to its pid. Another script
# may pick the same free number at the same moment, and its server's socket would then look like
# ours until it went away: a number is taken only once our own server writes it to -displayfd,
# which it does when it accepts connections; a server that lost the number has ended by then.
ensure_display() {
  local size=${1:-${TAVRO_DESKTOP:-1024x768}}
  TAVRO_OWN_XVFB=""
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n i ready
  ready=$(mktemp)
  for n in $(seq 90 190); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -displayfd 3 3>"$ready" 8>&- >/dev/null 2>&1 &
      TAVRO_OWN_XVFB=$!
      for i in $(seq 1 100); do
        if [ -s "$ready" ]; then
          rm -f "$ready"
          export DISPLAY=":$n"
          return 0
        fi
        kill -0 "$TAVRO_OWN_XVFB" 2>/dev/null || break
        sleep 0.1
      done
      stop_own_display
      TAVRO_OWN_XVFB=""
    fi
  done
  rm -f "$ready"
  echo "wine-run: could not start Xvfb" >&2
  return 1
}

# Makes sure a wineserver runs for the prefix, persisting 30 s after its last program. A cold
# start also boots Wine's background services; they must not inherit the caller's output pipes,
# or whoever reads the program's output (ctest) waits for them to exit.
ensure_wine_server() {
  if wineserver -p30 </dev/null >/dev/null 2>&1; then
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  fi
}

# Starts the one wineserver of a whole test run, persistent until killed. A server that set-up
# steps left keeps its own short persistence: it is ended here rather than waited for, since a
# run left with it would see it shut down, background services and all, whenever the prefix goes
# quiet (the e2e scenarios run in prefixes of their own).
start_run_wine_server() {
  wineserver -k 2>/dev/null || true
  wineserver -w
  if ! wineserver -p </dev/null >/dev/null 2>&1; then
    echo "could not start a persistent wineserver for $WINEPREFIX" >&2
    return 1
  fi
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# The wineserver serving the prefix, as "PID FOLDER" (nothing when none runs): a server works in
# a folder named after the prefix's device and inode, marked "(deleted)" once that folder is gone.
wine_server_of_prefix() {
  local name pid folder
  name=$(printf 'server-%s-%x' "$(stat -c %D "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")") 2>/dev/null || return 0
  for pid in $(pgrep '^wineserver'); do
    folder=$(readlink "/proc/$pid/cwd" 2>/dev/null) || continue
    case $folder in */"$name" | */"$name (deleted)") echo "$pid $folder" ;; esac
  done
}

# Programs of one prefix share its desktop process, which draws on the display it started on. When
# that display went away with the program that had started it, the windows of programs still
# running on other displays died on X errors (BadWindow). So programs started without a display
# share one per prefix; it ends once the prefix's wineserver has.
ensure_prefix_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local record="$WINEPREFIX.display" n pid
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 8>"$record.lock"
  flock 8
  if read -r n pid 2>/dev/null <"$record" && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]; then
    export DISPLAY=":$n"
  elif ensure_display; then
    echo "${DISPLAY#:} $TAVRO_OWN_XVFB" >"$record"
    end_display_with_wine_server "$TAVRO_OWN_XVFB"
    TAVRO_OWN_XVFB=""
  else
    exec 8>&-
    return 1
  fi
  exec 8>&-
}

end_display_with_wine_server() {
  (
    # Give the first program time to start the server, then wait for the prefix to go quiet.
    sleep 20
    while [ -n "$(wine_server_of_prefix)" ]; do sleep 5; done
    kill "$1" 2>/dev/null
  ) </dev/null >/dev/null 2>&1 8>&- &
  disown
}

stop_own_display() {
  if [ -n "${TAVRO_OWN_XVFB:-}" ]; then
    kill "$TAVRO_OWN_XVFB" 2>/dev/null || true
    wait "$TAVRO_OWN_XVFB" 2>/dev/null || true
  fi
}
