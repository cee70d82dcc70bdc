#!/usr/bin/env bash
# Accepting the registration offer registers ".qdrx" for the current user with a quoted open
# command, and the next start asks no more; the registration is removed again afterwards.
source "$(dirname "$0")/e2e-lib.sh"

e2e_remove_association() {
    wine reg delete 'HKCU\Software\Classes\.qdrx' /f >/dev/null 2>&1 || true
    wine reg delete 'HKCU\Software\Classes\qdrx-files' /f >/dev/null 2>&1 || true
}
trap 'e2e_remove_association; e2e_finish' EXIT
e2e_remove_association

e2e_exit_with_escape() {
    e2e_click 400 400
    e2e_key Escape
    e2e_wait_window "^Programador$" >/dev/null || e2e_fail "exit question did not appear"
    e2e_key Return
    e2e_wait_exit 15 || e2e_fail "program still running after Yes"
}

# The first start offers the registration; Yes registers.
e2e_start
offer=$(e2e_wait_window '^\.\.\.$') || e2e_fail "registration offer did not appear"
xdotool windowfocus --sync "$offer" 2>/dev/null || true
e2e_key Return # Yes, the default answer, whatever the language of its buttons
e2e_main_window
e2e_exit_with_escape

command=$(wine reg query 'HKCU\Software\Classes\qdrx-files\Shell\Open\Command' /ve 2>/dev/null | tr -d '\r')
grep -q '"[A-Z]:\\\\.*\\\\Cuadrix.exe" %1' <<<"$command" || e2e_fail "open command not registered: $command"
type=$(wine reg query 'HKCU\Software\Classes\.qdrx' /ve 2>/dev/null | tr -d '\r')
grep -q 'qdrx-files' <<<"$type" || e2e_fail "extension not registered: $type"

# The next start goes straight to the main window.
e2e_start
E2E_WINDOW=$(e2e_wait_window "^Organigrama$") || e2e_fail "main window did not appear"
[ -z "$(xdotool search --onlyvisible --name '^\.\.\.$' 2>/dev/null || true)" ] || e2e_fail "offer shown again"
sleep 1
e2e_exit_with_escape
echo "ok"
