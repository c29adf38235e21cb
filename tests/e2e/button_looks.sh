#!/usr/bin/env bash
# The Command button's looks on screen through real pointer input: Normal, HighLight when the
# pointer enters, Pressed while the left button is held, HighLightSelect and a Click on release,
# Selected once the pointer has left (the 100 ms poll). Drives the button test window of
# host/button/tests/command_button_looks.cpp; the looks are checked against the state pictures.
source "$(dirname "$0")/lib.sh"
e2e_init button_looks 640 480

exe="$ORV_BUILD/win/host/button/command_button_looks.exe"
pictures="$ORV_SOURCE/resources/button"
[ -f "$exe" ] || e2e_fail "missing $exe"

# The "設定" button's top-left corner on screen (window at 100,100; button at 20,30; 81 x 25).
bx=120 by=130

# shows X Y PICTURE PX PY: the screen pixel at the button's (X, Y) is the picture's (PX, PY).
shows() {
  local shot="$E2E_DIR/shot.png"
  e2e_screenshot "$shot"
  [ "$(e2e_pixel "$shot" $((bx + $1)) $((by + $2)))" = "$(e2e_pixel "$pictures/$3.bmp" "$4" "$5")" ]
}

# keep NAME: a 4x enlargement of the three buttons, to look at.
keep() {
  /usr/bin/convert "$E2E_DIR/shot.png" -crop 240x40+112+122 +repage -scale 400% "$E2E_DIR/$1.png"
}

xdotool mousemove 5 5
e2e_start app "$exe" window
e2e_wait "test window" 30 e2e_has_window "Command test"
e2e_wait "Normal look" 10 shows 40 2 normal 30 2
keep normal

xdotool mousemove $((bx + 10)) $((by + 5))
e2e_wait "HighLight look" 10 shows 40 2 highlight 30 2
keep highlight

xdotool mousedown 1
e2e_wait "Pressed look" 10 shows 40 1 pressed 30 1
keep pressed

xdotool mouseup 1
e2e_wait "Click" 10 e2e_has_window "Command test 1"
e2e_wait "HighLightSelect look" 10 shows 40 2 highlight_select 30 2
keep highlight_select

# The pointer leaves onto the window's background: the poll ends the hover look.
xdotool mousemove $((bx + 150)) $((by + 40))
e2e_wait "Selected look" 10 shows 40 2 selected 30 2
keep selected

# Press, drag off the button and release there after a poll: no second Click.
xdotool mousemove $((bx + 10)) $((by + 5))
e2e_wait "HighLightSelect look again" 10 shows 40 2 highlight_select 30 2
xdotool mousedown 1
e2e_wait "Pressed look again" 10 shows 40 1 pressed 30 1
xdotool mousemove $((bx + 150)) $((by + 40))
e2e_wait "Selected look after dragging out" 10 shows 40 2 selected 30 2
xdotool mouseup 1
e2e_holds 1 e2e_has_window "Command test 1" || e2e_fail "a release after dragging out clicked"

e2e_log "looks checked; enlargements in $E2E_DIR"
