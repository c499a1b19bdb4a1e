"""The installer Corvane-4.0-setup.exe under Wine, silently (/S): it puts the program folder into
Program Files with a Start menu entry and an uninstaller known to Windows' list of programs, and
writes no setting; the program runs from there, and an install or uninstall while it runs gives up
with exit code 2, changing nothing and saying why in the log; the silent uninstall takes away all
of it, with the autostart value that starts that copy, and leaves the user's settings; an install
that follows puts that autostart value back, and the program's Options box shows it ticked."""


import os
import sys
import time

from desktop import check, run_checks, wait_for
from wine_desktop import DEFAULTS, DIALOG_CLASS, MAIN_CLASS, RUN_KEY, SETTINGS_KEY, WINE64, WineDesktop

UNINSTALL_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvane"
INSTALLED = "C:\\Program Files\\Corvane"
FILES = ["Corvane4.0.exe", "corvanehelp.htm", "Media/notify.wav", "Uninstall Corvane.exe"]
UNINSTALLER = f"{INSTALLED}\\Uninstall Corvane.exe"
NOTE_KEY = "HKLM\\Software\\Pellorin\\Corvane"


def setup_log(d):
    """The lines of the log that silent runs leave in the temporary folder."""
    temp = d.wine("cmd", "/c", "echo %TEMP%").stdout.strip()
    log = os.path.join(d.prefix, "drive_c", *temp[3:].split("\\"), "Corvane setup.log")
    if not os.path.exists(log):
        return [f"no log at {log}"]
    with open(log, encoding="utf-8", errors="replace") as f:
        return f.read().splitlines()


def uninstall_quietly(d):
    """The registered QuietUninstallString, started as it stands (its _?= must not be quoted)."""
    line = d.reg_query(UNINSTALL_KEY)["QuietUninstallString"]
    return d.wine(os.environ["CORVANE_WINDOW_PROBE"], "run", line, timeout=120)


def options_box_ticked(d, corvane):
    d.choose_from_tray_menu(corvane, "Options")
    window = d.wait_for_window("CorvaneOptionsWindow", 15, "the Options window")
    time.sleep(0.5)
    return d.control_beside(window, "Load 'Corvane' at Startup.", "Button", check_box=True)["checked"]


def install_and_uninstall(d, artifacts):
    setup = os.environ.get("CORVANE_SETUP")
    if not setup or not os.path.exists(setup):
        raise AssertionError(f"no installer at CORVANE_SETUP ({setup}): cmake --build --preset windows "
                             "--target corvane_installer")
    folder = os.path.join(d.prefix, "drive_c", "Program Files", "Corvane")
    link = os.path.join(d.prefix, "drive_c", "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs",
                        "Corvane.lnk")

    r = d.wine(setup, "/S", timeout=120)
    check("the silent install succeeds", r.returncode == 0, f"{r.returncode} {r.stderr[-300:]}")
    missing = [f for f in FILES if not os.path.isfile(os.path.join(folder, f))]
    check("the program folder is in Program Files", not missing, f"missing {missing}")
    check("the Start menu has the entry", os.path.isfile(link))
    entry = d.reg_query(UNINSTALL_KEY) or {}
    check("Windows' list of programs knows the uninstaller",
          entry.get("DisplayName") == "Corvane 4.0" and
          entry.get("UninstallString") == f'"{UNINSTALLER}" _?={INSTALLED}' and
          entry.get("QuietUninstallString") == f'"{UNINSTALLER}" /S _?={INSTALLED}', str(entry))
    check("the installer writes no setting and no autostart value",
          d.reg_query(SETTINGS_KEY) is None and "Corvane" not in (d.reg_query("HKLM\\" + RUN_KEY) or {}))

    corvane = d.start_program(exe=f"{INSTALLED}\\Corvane4.0.exe", env={"WINEDEBUG": "+menu"})
    d.wait_started()
    check("the installed program makes its settings", d.reg_query(SETTINGS_KEY) == DEFAULTS)
    run_value = (d.reg_query("HKLM\\" + RUN_KEY) or {}).get("Corvane", "")
    check("the installed program registers itself to start at log-on",
          run_value.lower() == f"{INSTALLED}\\Corvane4.0.exe".lower(), run_value)
    d.choose_from_tray_menu(corvane, "Exit Corvane")
    check("the installed program ends as it should", d.wait_exit(corvane, 15) == 3)

    corvane = d.start_program(exe=f"{INSTALLED}\\Corvane4.0.exe", env={"WINEDEBUG": "+menu"})
    d.wait_for_window(MAIN_CLASS, 60, "the installed program's main window")
    r = d.wine(setup, "/S", timeout=120)
    check("a silent install over the running program gives up and says so", r.returncode == 2, str(r.returncode))
    # The uninstall as Windows' list of programs and deployment tools start it.
    r = uninstall_quietly(d)
    check("a silent uninstall while the program runs gives up with exit code 2", r.returncode == 2, str(r.returncode))
    missing = [f for f in FILES if not os.path.isfile(os.path.join(folder, f))]
    check("it removes nothing", not missing and os.path.isfile(link) and d.reg_query(UNINSTALL_KEY) is not None,
          f"missing {missing}")
    log = setup_log(d)
    check("the log says, for each, that the program runs and nothing changed",
          len([line for line in log if "Corvane is running; nothing was changed" in line]) == 2, str(log))
    d.choose_from_tray_menu(corvane, "Exit Corvane")
    d.wait_exit(corvane, 15)

    r = uninstall_quietly(d)
    check("the silent uninstall starts", r.returncode == 0, str(r.returncode))
    # The uninstaller runs on from a copy of itself in the temporary folder.
    wait_for(lambda: not os.path.exists(folder), 60, "the program folder to go", interval=0.5)
    check("the Start menu entry is gone", not os.path.exists(link))
    check("the uninstaller is gone from Windows' list of programs", d.reg_query(UNINSTALL_KEY) is None)
    check("the autostart value of the removed copy is gone",
          "Corvane" not in (d.reg_query("HKLM\\" + RUN_KEY) or {}))
    check("the user's settings stay", d.reg_query(SETTINGS_KEY) == DEFAULTS)

    # Installed again, as a user does: Install, then Finish with "Start Corvane now" ticked. The
    # program's trace of its menus goes to the installer's log, which it inherits.
    setup_run = d.spawn([WINE64, setup], name="setup", env={"WINEDEBUG": "+menu"})
    installer = d.wait_for_window(DIALOG_CLASS, 60, "the installer")
    d.key("Return")
    wait_for(lambda: any(c["text"] == "&Finish" and c["visible"] for c in d.children(installer)), 60,
             "the finish page", interval=0.5)
    run_value = (d.reg_query("HKLM\\" + RUN_KEY) or {}).get("Corvane", "")
    check("an install that follows puts the autostart value back",
          run_value.lower() == f"{INSTALLED}\\Corvane4.0.exe".lower(), run_value)
    check("the uninstaller's note is gone, the settings as they were",
          d.reg_query(NOTE_KEY) is None and d.reg_query(SETTINGS_KEY) == DEFAULTS)
    d.key("Return")
    main, _ = d.wait_started()
    parent = d.probe("parent", str(main["pid"]))[0]
    check("the finish page starts the program through Explorer, not as the installer's child",
          parent["parent"] != installer["pid"] and parent["name"].lower() in ("", "explorer.exe"), str(parent))
    check("the Options box shows the program starting at log-on", options_box_ticked(d, setup_run))


if __name__ == "__main__":
    sys.exit(run_checks((install_and_uninstall, {}), desktop=WineDesktop))
