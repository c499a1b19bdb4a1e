"""A Turn Off that the system refuses, through the installed program's own windows: the logind
stand-in answers PowerOff with an error, and at the trigger minute the program shows the failure
message, logs logind's reason, disarms the task (no second request in that minute) and goes on.
A stand-in that never answers: the window keeps refreshing while the program waits, and the
failure message comes when the wait is over."""

import os
import sys
import time

from desktop import check, run_checks, wait_for
from test_schedule import APPLY, SCHEDULED_CHECK, KIND_BOX, DAYS_BOX, HOURS_BOX, MINUTES_BOX, open_schedule_page, trigger_for, type_into, uptime_seconds

REASON = "Access denied by policy"


def schedule_turn_off(d, power_off):
    """Schedules Turn Off for the next minute but one at most, with PowerOff answered by the
    given code; returns the program, its main window and the up time (s) of the trigger minute."""
    d.logind_add_method("PowerOff", "b", "", power_off)
    d.logind_clear_calls()
    corvane, main, options_window = open_schedule_page(d)
    d.click(options_window, *KIND_BOX)
    d.key("alt+Down")
    time.sleep(0.3)
    d.key("Home", "Return")  # Turn Off Computer, the first kind: no editor

    up = uptime_seconds()
    ahead = 60 if up % 60 < 40 else 120
    days, hours, minutes = trigger_for(up + ahead)
    d.click(options_window, *SCHEDULED_CHECK)
    type_into(d, options_window, DAYS_BOX, str(days))
    type_into(d, options_window, HOURS_BOX, str(hours))
    type_into(d, options_window, MINUTES_BOX, str(minutes))
    d.click(options_window, *APPLY)
    due = (int(up + ahead) // 60) * 60
    check("Apply came before the trigger minute", uptime_seconds() < due)
    return corvane, main, due


def up_too_long():
    if uptime_seconds() > 31 * 86400 - 300:
        print("skip: the machine has been up for more than 31 days, which the program refuses")
        return True
    return False


def refused(d, artifacts):
    if up_too_long():
        return
    corvane, _main, due = schedule_turn_off(d, f"raise dbus.exceptions.DBusException('{REASON}', "
                                            "name='org.freedesktop.DBus.Error.AccessDenied')")
    boxes = wait_for(lambda: d.message_boxes(corvane.pid), due - uptime_seconds() + 10, "the failure message",
                     interval=0.2)
    check("logind was asked to turn off once", d.logind_calls() == [("PowerOff", [False])], str(d.logind_calls()))
    check("the program keeps running", corvane.poll() is None)
    check("the log gives logind's reason",
          f"PowerOff refused: org.freedesktop.DBus.Error.AccessDenied: {REASON}" in d.log_of(corvane),
          d.log_of(corvane)[-400:])
    if artifacts:
        d.screenshot(f"{artifacts}/turn-off-refused.png")
    d.run(["xdotool", "windowfocus", "--sync", str(boxes[0])], check=True)
    d.key("Return")
    wait_for(lambda: not d.message_boxes(corvane.pid), 5, "the failure message to close")
    time.sleep(2.5)
    check("the task is disarmed: no second request", d.logind_calls() == [("PowerOff", [False])],
          str(d.logind_calls()))
    check("no second message", d.message_boxes(corvane.pid) == [])
    check("the program still runs", corvane.poll() is None)


def unanswered(d, artifacts):
    if up_too_long():
        return
    corvane, main, due = schedule_turn_off(d, "time.sleep(7)")
    # The stand-in answers nobody while it sleeps: the time tells when the request went out, at
    # the first tick of the trigger minute.
    time.sleep(max(0.0, due - uptime_seconds() + 1.2))
    # The separators blink each second: pictures of the window a little over a second apart differ.
    shots = []
    for n in range(3):
        shot = os.path.join(d.tmp, f"waiting-{n}.rgb")
        d.run(["import", "-window", str(main), shot], timeout=10, check=True)
        with open(shot, "rb") as f:
            shots.append(f.read())
        time.sleep(1.1)
    check("the pictures were taken while the answer was awaited", not d.message_boxes(corvane.pid))
    check("the window keeps refreshing while the answer is awaited", len(set(shots)) > 1)
    wait_for(lambda: d.message_boxes(corvane.pid), 10, "the failure message", interval=0.2)
    waited = uptime_seconds() - due
    check("the message came when the wait was over", 4.5 <= waited <= 8, f"{waited:.1f} s after the minute began")
    check("the log says nobody answered in time", "PowerOff refused: org.freedesktop.DBus.Error.NoReply"
          in d.log_of(corvane), d.log_of(corvane)[-400:])
    check("the program keeps running", corvane.poll() is None)


if __name__ == "__main__":
    sys.exit(run_checks((refused, {"logind": True}), (unanswered, {"logind": True})))
