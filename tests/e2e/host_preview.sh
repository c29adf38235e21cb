#!/usr/bin/env bash
# The preview: /p with the handle of a stand-in preview area puts the preview window into it;
# destroying the area ends the host; a handle that is no window ends it at once.
source "$(dirname "$0")/lib.sh"
e2e_init host_preview
e2e_install_to 'Orvellia' >/dev/null
scr='C:\Orvellia\Orvellia.scr'

e2e_start parent "$(e2e_host_tool)" parent 100 100 300 200 'C:\parent.txt'
e2e_wait "test parent" 30 test -s "$WINEPREFIX/drive_c/parent.txt"
handle=$(cat "$WINEPREFIX/drive_c/parent.txt")

e2e_start host "$scr" "/p" "$handle"
# NOTE: Wine 8 does not draw a child window that belongs to another process than its parent (the
# parent's window surface is not shared), so the still cannot be seen in a screenshot here: not
# after a SetWindowPos or RedrawWindow of the child or the parent, not when the child is created
# with WS_CHILD at once, and PrintWindow from another process copies nothing either. The same
# child in the parent's own process does show. So the preview window is checked here as a window:
# a child of the area, at its top-left, of its size, with WS_CHILD added to its popup style; its
# painting is checked in a memory DC by preview_paint_test.
# The host makes the window a child before it places and shows it: wait for it to be shown, the
# last of those steps, before reading its place.
shown_child() {
  e2e_tool child "Preview Window" "$E2E_DIR/child.txt" || return 1
  read -r style x y w h <"$E2E_DIR/child.txt" || true  # no final newline
  (( 16#$style & 0x10000000 ))
}
e2e_wait "the preview window shown inside the test parent" 30 shown_child
[ "$x $y $w $h" = "0 0 300 200" ] || e2e_fail "preview window placed at $x,$y size ${w}x$h"
style=$((16#$style))
(( style & 0x40000000 )) || e2e_fail "WS_CHILD missing: $(cat "$E2E_DIR/child.txt")"
(( style & 0x80000000 )) || e2e_fail "the popup style was changed: $(cat "$E2E_DIR/child.txt")"

e2e_log "destroying the preview area ends the host"
e2e_tool close "Orvellia Test Parent"
e2e_wait_exit "$host" 20 >/dev/null

e2e_log "a handle that is no window ends the host at once"
e2e_start host "$scr" /p 12345
e2e_wait_exit "$host" 20 >/dev/null
e2e_start host "$scr" /p:garbage
e2e_wait_exit "$host" 20 >/dev/null
e2e_log "ok"
