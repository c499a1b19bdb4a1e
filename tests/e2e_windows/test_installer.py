"""The installer Corvane-4.0-setup.exe under Wine, silently (/S): it puts the program folder into
Program Files with a Start menu entry and an uninstaller known to Windows' list of programs, and
writes no setting; the program runs from there, and an install over it while it runs gives up;
the silent uninstall takes away all of it,
with the autostart value that starts that copy, and leaves the user's settings."""

import os
import sys

from desktop import check, run_checks, wait_for
from wine_desktop import DEFAULTS, MAIN_CLASS, RUN_KEY, SETTINGS_KEY, WineDesktop

UNINSTALL_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvane"
INSTALLED = "C:\\Program Files\\Corvane"
FILES = ["Corvane4.0.exe", "corvanehelp.htm", "Media/notify.wav", "Uninstall Corvane.exe"]


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
          entry.get("UninstallString") == f'"{INSTALLED}\\Uninstall Corvane.exe"', str(entry))
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

    corvane = d.start_program(exe=f"{INSTALLED}\\Corvane4.0.exe")
    d.wait_for_window(MAIN_CLASS, 60, "the installed program's main window")
    r = d.wine(setup, "/S", timeout=120)
    check("a silent install over the running program gives up and says so", r.returncode == 2, str(r.returncode))
    d.stop(corvane)

    r = d.wine(f"{INSTALLED}\\Uninstall Corvane.exe", "/S", timeout=120)
    check("the silent uninstall starts", r.returncode == 0, str(r.returncode))
    # The uninstaller runs on from a copy of itself in the temporary folder.
    wait_for(lambda: not os.path.exists(folder), 60, "the program folder to go", interval=0.5)
    check("the Start menu entry is gone", not os.path.exists(link))
    check("the uninstaller is gone from Windows' list of programs", d.reg_query(UNINSTALL_KEY) is None)
    check("the autostart value of the removed copy is gone",
          "Corvane" not in (d.reg_query("HKLM\\" + RUN_KEY) or {}))
    check("the user's settings stay", d.reg_query(SETTINGS_KEY) == DEFAULTS)


if __name__ == "__main__":
    sys.exit(run_checks((install_and_uninstall, {}), desktop=WineDesktop))
