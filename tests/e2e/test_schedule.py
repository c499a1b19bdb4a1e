"""A task scheduled through the installed program's own windows runs when the up time reaches
it: the tray menu opens the Schedule Task page, Run Program's editor takes a command line whose
program has a blank in its path, Apply schedules it one or two minutes ahead of the real up
time, and the script leaves its mark at that minute, started without a shell."""

import os
import sys
import time

from desktop import check, run_checks, wait_for, write_script

# Places in pixels at 15 twips per pixel (Xvfb's 96 dots per inch), in the client area of the
# Options and Schedule Task window: the page starts right of the 1500-twip tab bar.
PAGE_X = 100
SCHEDULED_CHECK = (PAGE_X + 96 + 7, 32 + 8)
DAYS_BOX = (PAGE_X + 136 + 20, 72 + 10)
HOURS_BOX = (PAGE_X + 256 + 20, 72 + 10)
MINUTES_BOX = (PAGE_X + 392 + 20, 72 + 10)
KIND_BOX = (PAGE_X + 216 + 60, 120 + 10)
APPLY = (PAGE_X + 313 + 40, 160 + 16)
# In the program editor: the path box and OK.
PATH_BOX = (24 + 100, 36 + 11)
OK = (264 + 30, 80 + 12)


def uptime_seconds():
    with open("/proc/uptime") as f:
        return float(f.read().split()[0])


def trigger_for(seconds):
    """Days, hours and minutes as the main window shows the up time of that many seconds."""
    total_minutes = int(seconds) // 60
    total_hours = total_minutes // 60
    hours = 0 if total_hours == 0 else (total_hours - 1) % 24 + 1
    return total_hours // 24, hours, total_minutes % 60


def type_into(d, window, place, text):
    """Clicks a box, empties it with End and Backspace, and types text."""
    d.click(window, *place)
    d.key("End", "BackSpace", "BackSpace")
    d.run(["xdotool", "type", "--delay", "40", text], check=True)


def open_schedule_page(d):
    """Starts the program and opens its Schedule Task page from the tray menu."""
    corvane = d.start_corvane()
    main = wait_for(lambda: d.main_window(corvane.pid), 30, "the main window")
    wait_for(lambda: d.tray_icon(corvane.pid) and d.is_embedded(d.tray_icon(corvane.pid)), 10, "the tray icon")
    d.open_tray_menu(corvane.pid)
    d.key("Down", "Down", "Down", "Return")  # About, Options, Schedule Task
    options_window = wait_for(lambda: d.window_named(corvane.pid, "Corvane", exclude=(main,)), 10, "the Schedule Task window")
    time.sleep(0.5)
    return corvane, main, options_window


def run(d, artifacts):
    if uptime_seconds() > 31 * 86400 - 300:
        print("skip: the machine has been up for more than 31 days, which the program refuses")
        return
    mark = os.path.join(d.tmp, "mark")
    script = write_script(os.path.join(d.tmp, "my tasks", "leave mark.sh"),
                          f"#!/bin/sh\nprintf '%s|' \"$@\" > '{mark}.part' && mv '{mark}.part' '{mark}'\n")
    witness = os.path.join(d.tmp, "shell-ran")

    corvane, main, options_window = open_schedule_page(d)

    # The kind box's list, opened from the keyboard: Run Program is the sixth kind.
    d.click(options_window, *KIND_BOX)
    d.key("alt+Down")
    time.sleep(0.3)
    d.key("Home", "Down", "Down", "Down", "Down", "Down", "Return")
    program_editor = wait_for(lambda: d.window_named(corvane.pid, "Corvane", exclude=(main, options_window)), 10, "the program editor")
    time.sleep(0.3)
    # The argument would run a second command if a shell read the line.
    command = f"\"{script}\" first \";touch {witness}\""
    d.click(program_editor, *PATH_BOX)
    d.run(["xdotool", "type", "--delay", "10", command], check=True)
    d.click(program_editor, *OK)
    wait_for(lambda: not (d.window_info(program_editor) or {}).get("viewable"), 10, "the program editor to close")

    # One minute ahead, or two when the next minute is too close to finish typing in time.
    up = uptime_seconds()
    ahead = 60 if up % 60 < 40 else 120
    days, hours, minutes = trigger_for(up + ahead)
    d.click(options_window, *SCHEDULED_CHECK)
    type_into(d, options_window, DAYS_BOX, str(days))
    type_into(d, options_window, HOURS_BOX, str(hours))
    type_into(d, options_window, MINUTES_BOX, str(minutes))
    d.click(options_window, *APPLY)
    applied_at = uptime_seconds()
    if artifacts:
        d.screenshot(os.path.join(artifacts, "schedule-applied.png"))
    due = (int(up + ahead) // 60) * 60
    check("Apply came before the trigger minute", applied_at < due, f"applied at {applied_at:.1f}, due {due}")
    check("the task is not run before its minute", not os.path.exists(mark))

    wait_for(lambda: os.path.exists(mark), due - uptime_seconds() + 10, "the script's mark", interval=0.2)
    ran_at = uptime_seconds()
    check("the script runs in the trigger minute", due <= ran_at < due + 60, f"ran at {ran_at:.1f}, due {due}")
    with open(mark) as f:
        args = f.read()
    check("the arguments reach the script as written, without a shell", args == f"first|;touch {witness}|",
          repr(args))
    time.sleep(1.5)
    check("no shell ran the rest of the line", not os.path.exists(witness))
    check("nothing reported a failure", d.window_named(corvane.pid, "Corvane", exclude=(main, options_window)) is None)
    check("the program keeps running", corvane.poll() is None, d.log_of(corvane)[-400:])
    os.remove(mark)
    time.sleep(2.5)
    check("the task runs once", not os.path.exists(mark))


if __name__ == "__main__":
    sys.exit(run_checks((run, {})))
