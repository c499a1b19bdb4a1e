"""The help page: valid HTML5 by HTML Tidy (no errors, no warnings), readable without scripts
or the network, light and dark friendly, and answering what the program's messages send
users to it for."""

import re
import subprocess
import sys

REQUIRED = {
    "the failure message it must explain": "unable to execute the task you scheduled",
    "the 31-day end": "31 days",
    "the autostart folders": "your own autostart folder",
    "the system-wide autostart entry": "system-wide autostart folder",
    "the settings file": "~/.config/corvane/user.reg",
    "the help warning": "The help file is not installed correctly.",
    "the main window's start-up information": "Startup Info",
    "the time now": "Now",
    "the tray menu's About": "About",
    "logind": "logind",
    "the session manager": "session manager",
    "the notification sound": "Media/notify.wav",
    "programs without a shell": "without a shell",
    "the default browser": "default browser",
}
KINDS = ["Turn Off Computer", "Log Off Computer", "Restart Computer", "Hibernate", "Alert", "Run Program",
         "Visit Website"]
OPTIONS = ["Load 'Corvane' at Startup", "Beep on every Hour",
           "Show available physical Memory (mb) and CPU usage (%) in Title Bar"]


def main(path):
    failures = []
    tidy = subprocess.run(["tidy", "-q", "-e", path], capture_output=True, text=True)
    if tidy.returncode != 0:
        failures.append("HTML Tidy reports:\n" + tidy.stderr)
    with open(path, encoding="utf-8") as f:
        page = f.read()
    if not page.startswith("<!DOCTYPE html>"):
        failures.append("not an HTML5 document")
    if re.search(r"<script|\bon[a-z]+\s*=", page, re.I):
        failures.append("scripts")
    # Nothing is loaded from elsewhere: links to the web are fine, resources are not.
    if re.search(r"\b(src|srcset)\s*=|<link\b|@import|url\(", page, re.I):
        failures.append("resources loaded from outside the page")
    if "prefers-color-scheme: dark" not in page or 'name="color-scheme" content="light dark"' not in page:
        failures.append("no dark colours")
    text = re.sub(r"\s+", " ", re.sub(r"<[^>]+>", "", page)).replace("&amp;", "&").replace("&hellip;", "...")
    for what, phrase in list(REQUIRED.items()) + [(k, k) for k in KINDS + OPTIONS]:
        if phrase not in text:
            failures.append(f"nothing on {what} ({phrase!r})")
    for failure in failures:
        print("FAIL " + failure)
    print("FAIL" if failures else "PASS")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
