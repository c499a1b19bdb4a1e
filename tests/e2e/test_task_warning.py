"""The minute's warning through the desktop's notification server: a Log Off task applied less
than a minute ahead brings a notification with a Cancel action on a stand-in server at once;
taking the action cancels the task, the notification is withdrawn, and the trigger minute
passes without a log-off request."""

import re
import sys
import time

from desktop import MOCK, check, run_checks, wait_for
from test_schedule import (APPLY, DAYS_BOX, HOURS_BOX, KIND_BOX, MINUTES_BOX, SCHEDULED_CHECK, open_schedule_page,
                           trigger_for, type_into, uptime_seconds)

NOTIFICATIONS = "org.freedesktop.Notifications"
NOTIFICATIONS_PATH = "/org/freedesktop/Notifications"


def notification_calls(d, method):
    return [args for name, args in d.mock_calls(NOTIFICATIONS, NOTIFICATIONS_PATH) if name == method]


def run(d, artifacts):
    if uptime_seconds() > 31 * 86400 - 300:
        print("skip: the machine has been up for more than 31 days, which the program refuses")
        return
    d.start_mock(NOTIFICATIONS, "--template", "notification_daemon")
    corvane, main, options_window = open_schedule_page(d)

    # Log Off is the second kind; it needs no editor.
    d.click(options_window, *KIND_BOX)
    d.key("alt+Down")
    time.sleep(0.3)
    d.key("Home", "Down", "Return")

    # The next minute, with time to type: the warning then comes at once, with the seconds left.
    if uptime_seconds() % 60 > 45:
        time.sleep(61 - uptime_seconds() % 60)
    up = uptime_seconds()
    days, hours, minutes = trigger_for(up + 60)
    due = (int(up + 60) // 60) * 60
    d.click(options_window, *SCHEDULED_CHECK)
    type_into(d, options_window, DAYS_BOX, str(days))
    type_into(d, options_window, HOURS_BOX, str(hours))
    type_into(d, options_window, MINUTES_BOX, str(minutes))
    d.click(options_window, *APPLY)

    notify = wait_for(lambda: notification_calls(d, "Notify"), 10, "the warning")[0]
    app, _replaces, _icon, summary, body, actions, _hints, _timeout = notify
    check("the warning names the program", app == "Corvane" and summary == "Corvane", repr((app, summary)))
    check("the warning says what comes and when",
          re.fullmatch(r"Corvane will log off the computer in \d+ seconds\.", str(body)) is not None, repr(body))
    check("the warning offers Cancel", [str(a) for a in actions] == ["cancel", "Cancel"], repr(actions))
    if artifacts:
        d.screenshot(f"{artifacts}/task-warning-shown.png")

    # The server reports the action as it does for a click on the button.
    d.bus().get_object(NOTIFICATIONS, NOTIFICATIONS_PATH).EmitSignal(
        NOTIFICATIONS, "ActionInvoked", "us", [1, "cancel"], dbus_interface=MOCK)
    wait_for(lambda: notification_calls(d, "CloseNotification"), 10, "the warning withdrawn")
    check("one warning for the task", len(notification_calls(d, "Notify")) == 1)

    wait_for(lambda: uptime_seconds() > due + 2, due - uptime_seconds() + 5, "the trigger minute", interval=0.5)
    calls = d.logind_calls() + d.logind_calls(d.session_path)
    check("the cancelled task does not run", calls == [], repr(calls))
    check("the program keeps running", corvane.poll() is None, d.log_of(corvane)[-400:])
    if artifacts:
        d.screenshot(f"{artifacts}/task-warning-cancelled.png")


if __name__ == "__main__":
    sys.exit(run_checks((run, {"logind": True})))
