# Shared by the scripts that run the real program under Wayland. Source it,
# with WAYLAND_DISPLAY and XDG_RUNTIME_DIR set, then:
#   start_weston LOG [ARG...]  Starts a headless weston that renders with
#                              pixman (so screenshots have pixels), with its
#                              output in LOG and weston_pid set, and returns
#                              once a client sees its shell: the socket alone
#                              comes earlier. Fails if weston ends first.
# Weston 10 (Debian 12) names the backend by its module and has
# --use-pixman; weston 14 (Debian 13) names it alone and has --renderer.

start_weston() {
  local log=$1 flags=(--backend=headless-backend.so --use-pixman)
  shift
  weston --help 2>&1 | grep -q -- '--renderer=' && flags=(--backend=headless --renderer=pixman)
  weston "${flags[@]}" --socket="$WAYLAND_DISPLAY" --width=640 --height=480 --idle-time=0 \
    "$@" >"$log" 2>&1 &
  weston_pid=$!
  while kill -0 "$weston_pid" 2>/dev/null; do
    wayland-info 2>/dev/null | grep -q xdg_wm_base && return 0
    sleep 0.1
  done
  return 1
}
