#!/usr/bin/env bash
# A Command button hovered and clicked 1,000 times through real input (ORV_BUTTON_CLICKS changes
# the count): every click leaves the button in place and the GDI object count stays flat.
source "$(dirname "$0")/lib.sh"
e2e_init fault_button_clicks
clicks=${ORV_BUTTON_CLICKS:-1000}
log="$E2E_DIR/button_clicks.txt"
e2e_start P "$ORV_BUILD/win/tests/tools/button_clicks.exe" "$clicks" "$(winepath -w "$log")"
rc=0
e2e_wait_exit_code rc "$P" 280
cat "$log" 2>/dev/null || true
[ "$rc" = 0 ] || e2e_fail "button_clicks ended with exit code $rc"
grep -q "^ok: $((clicks + 10)) clicks" "$log" || e2e_fail "no result in the log"
e2e_log "ok"
