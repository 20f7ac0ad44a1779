# Shared by the scripts that run the real program under Wayland. Source it,
# with WAYLAND_DISPLAY and XDG_RUNTIME_DIR set and a D-Bus session of the
# caller's own (mutter and KWin take names on it), then:
#   start_compositor NAME LOG  Starts NAME (weston, mutter or kwin) headless,
#                              with its output in LOG and compositor_pid set,
#                              and returns once a client sees its shell: the
#                              socket alone comes earlier. Fails if the
#                              compositor ends first. Exports the
#                              XDG_CURRENT_DESKTOP of the desktop whose
#                              compositor it is (GNOME, KDE; none for
#                              weston), by which Qt picks its platform
#                              theme and title bar as in that session,
#                              and hands the bus's services the display.
#   remove_runtime_dir DIR     Removes the runtime folder DIR, after
#                              unmounting the document portal's store: the
#                              bus starts the portal on demand, and it
#                              keeps that mount in DIR until the bus ends.
# weston renders with pixman, so its screenshots have pixels. Weston 10
# (Debian 12) names the backend by its module and has --use-pixman; weston
# 14 (Debian 13) names it alone and has --renderer; --debug lets its
# screenshooter in. Mutter 43 and 48 take the same flags. KWin lets any
# client take screenshots (through org.kde.KWin.ScreenShot2, where it
# composites with OpenGL) with KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1; it
# runs from a copy, as the installed binary carries a file capability that
# a sandbox may refuse to exec, and the copy keeps the name kwin_wayland,
# by which KWin's own Qt platform plugin recognises it.

start_compositor() {
  local name=$1 log=$2 command
  unset XDG_CURRENT_DESKTOP
  case $name in
    weston)
      command=(weston --backend=headless-backend.so --use-pixman)
      weston --help 2>&1 | grep -q -- '--renderer=' && command=(weston --backend=headless --renderer=pixman)
      command+=(--socket="$WAYLAND_DISPLAY" --width=640 --height=480 --idle-time=0 --debug) ;;
    mutter)
      export XDG_CURRENT_DESKTOP=GNOME
      command=(mutter --headless --wayland --no-x11 --virtual-monitor 1024x768
        --wayland-display "$WAYLAND_DISPLAY") ;;
    kwin)
      export XDG_CURRENT_DESKTOP=KDE
      mkdir -p "$XDG_RUNTIME_DIR/kwin"
      cp "$(command -v kwin_wayland)" "$XDG_RUNTIME_DIR/kwin/kwin_wayland"
      command=(env KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 "$XDG_RUNTIME_DIR/kwin/kwin_wayland"
        --virtual --socket "$WAYLAND_DISPLAY" --width 1024 --height 768) ;;
    *) echo "unknown compositor $name" >"$log"; return 1 ;;
  esac
  "${command[@]}" >"$log" 2>&1 &
  compositor_pid=$!
  while kill -0 "$compositor_pid" 2>/dev/null; do
    if wayland-info 2>/dev/null | grep -q xdg_wm_base; then
      # As a desktop session does: services the bus starts on demand (the
      # desktop portal and its GTK back end) reach the same display.
      dbus-update-activation-environment WAYLAND_DISPLAY XDG_RUNTIME_DIR XDG_CURRENT_DESKTOP
      return 0
    fi
    sleep 0.1
  done
  return 1
}

remove_runtime_dir() {
  if mountpoint -q "$1/doc"; then umount -l "$1/doc" || true; fi
  rm -rf "$1"
}

# The program the compositor NAME runs as, for require_tools.
compositor_tool() { case $1 in kwin) echo kwin_wayland ;; *) echo "$1" ;; esac; }
