"""Corvane4.0.exe under Wine, from its first start to "Exit Corvane", in one private desktop
and prefix: the first run's settings and autostart value, no message box at start, the slide to
the top centre in a layered window, the memory and processor figures in the title (processor 0
busy with a loop of the test's), the tray icon and its menu, the About and Options windows, the
Run Program editor's file dialog, an alert scheduled through the windows for the next minute of
up time with the Windows directory's notification sound, the warning balloon before Hibernate
with the task in the icon's tip and its click that cancels, a second copy, and the exit status.
Screenshots of every window go to the artifacts folder."""

import os
import re
import shutil
import sys
import time

from desktop import check, run_checks, wait_for
from test_schedule import trigger_for, uptime_seconds
from wine_desktop import (DEFAULTS, DIALOG_CLASS, EXE, MAIN_CLASS, RUN_KEY, SETTINGS_KEY, WineDesktop, centre,
                          program_folder)

MENU = ["About", None, "Options", "Schedule Task", None, "Minimize", "Exit Corvane"]
KINDS = ["Turn Off Computer", "Log Off Computer", "Restart Computer", "Hibernate", "Alert", "Run Program",
         "Visit Website"]
MESSAGE = "Time for a break"
FIGURES = re.compile(r"^ Mem (\d+)  CPU (\d+)%$")
WS_EX_LAYERED = 0x80000
FILE_TYPES_ID = 0x470  # the file dialog's list of file types (cmb1)
TOOL_TIP_CLASS = "tooltips_class32"
TRAY_MESSAGE = 0x8001  # the tray icon's callback message, WM_APP + 1
NIN_BALLOONUSERCLICK = 0x405


def round_half_even(value):
    return int(round(value))


def shoot(d, artifacts, name):
    if artifacts:
        time.sleep(0.5)  # the last paint
        d.screenshot(os.path.join(artifacts, f"windows-96dpi-{name}.png"))


def first_run_and_slide(d, corvane):
    slid, box = d.wait_started()
    check("no message box comes up at start", box is None,
          str(box and [c["text"] for c in d.children(box)]))
    check("the window is layered from the start, opaque at full opacity", slid["exstyle"] & WS_EX_LAYERED,
          hex(slid["exstyle"]))
    values = d.reg_query(SETTINGS_KEY)
    check("the first run writes exactly the five defaults", values == DEFAULTS, str(values))
    run = d.reg_query("HKLM\\" + RUN_KEY) or {}
    check("the first run registers the program itself to start at log-on",
          run.get("Corvane", "").lower() == d.windows_path(os.path.join(program_folder(), EXE)).lower(), str(run))

    left, top, width, _ = d.work_area()
    column = round_half_even((left + width) / 2)
    check("the window ends its slide one row above the work area, its left edge at the middle",
          slid["rect"][0] == column and slid["rect"][1] == top - 1, f"{slid['rect']}, work area {d.work_area()}")
    frames = [w for w in d.windows_of(corvane.pid)
              if (d.window_info(w) or {}).get("viewable") and (d.window_info(w)["x"], d.window_info(w)["y"]) ==
              (slid["rect"][0], slid["rect"][1])]
    check("the X window sits there too", len(frames) >= 1, str([d.window_info(w) for w in d.windows_of(corvane.pid)]))
    # 2325 and 1170 twips high, caption and borders included.
    height = lambda: (lambda r: r[3] - r[1])(d.refresh(slid)["rect"])
    check("the large window is 155 pixels high, its frame included", height() == 155, str(d.refresh(slid)["rect"]))
    for button, expected in (("Less information", 78), ("More information", 155)):
        d.click_control(d.child(slid, text=button))
        wait_for(lambda: height() == expected, 5, f"the window {expected} pixels high")
    return slid


def processor_figure(d, slid):
    """The title's figures; a loop busy on processor 0 (Wine reads the host's times) drives the
    processor's up."""
    def figures():
        m = FIGURES.match((d.refresh(slid) or {}).get("text", ""))
        return m and (int(m.group(1)), int(m.group(2)))
    idle = wait_for(figures, 10, "the figures in the title")
    check("the title shows the available memory and the processor figure", idle[0] > 16, str(idle))
    loop = d.spawn(["taskset", "-c", "0", sys.executable, "-c", "while True: pass"], name="busy")
    try:
        wait_for(lambda: (figures() or (0, 0))[1] >= 80, 10, f"processor 0's figure to follow a busy loop ({idle})")
    finally:
        loop.kill()
        loop.wait()


def tray_menu(d, corvane, artifacts):
    icons = wait_for(lambda: d.tray_icons(), 20, "the tray icon")
    check("the tray icon docks in the tray, through the Windows desktop process",
          any("explorer.exe" in d.property(w, "WM_CLASS").lower() for w in icons + [d.parent_of(i) for i in icons]),
          str([d.property(w, "WM_CLASS") for w in icons]))
    menu = d.open_tray_menu()
    items = wait_for(lambda: d.shown_menu(corvane), 5, "the menu in the trace")
    shoot(d, artifacts, "tray-menu")
    texts = [i["text"] if i["text"] is None else i["text"].strip() for i in items]
    check("the tray menu lists About, Options, Schedule Task, Minimize, Exit Corvane", texts == MENU, str(texts))
    check("Schedule Task is the default item", [i["text"].strip() for i in items if i["default"]] == ["Schedule Task"])
    check("the menu window holds every item", all(i["rect"][3] <= menu["rect"][3] - menu["rect"][1] for i in items))
    d.click_at(20, 400)  # outside: the menu closes
    d.wait_gone(menu, what="the menu to close")


def about(d, corvane, artifacts):
    d.choose_from_tray_menu(corvane, "About")
    window = d.wait_for_window("CorvaneAbout", 15, "the About window")
    texts = [c["text"] for c in d.children(window) if c["visible"]]
    check("About shows the version", "Version 4.0" in texts, str(texts))
    shoot(d, artifacts, "about")
    d.probe("close", str(window["hwnd"]))
    d.wait_gone(window, what="the About window to close")


def options_pages(d, corvane, artifacts):
    d.choose_from_tray_menu(corvane, "Options")
    window = d.wait_for_window("CorvaneOptionsWindow", 15, "the Options window")
    time.sleep(0.5)
    startup = d.control_beside(window, "Load 'Corvane' at Startup.", "Button", check_box=True)
    check("the Options page comes first and shows the start-up box", startup["visible"])
    check("the start-up box shows the value the first run wrote", startup["checked"])
    shoot(d, artifacts, "options-page")
    d.click_control(d.child(window, text="Schedule Task"))
    kinds = wait_for(lambda: (lambda c: c if c["visible"] else None)(d.child(window, cls="ComboBox")), 5,
                     "the Schedule Task page")
    check("the Schedule Task page replaces the Options page",
          not d.child(window, text="Load 'Corvane' at Startup.")["visible"])
    shoot(d, artifacts, "schedule-page")
    return window, kinds


def pick_kind(d, kinds, kind, editor_class=None):
    """Picks a kind from the kind box's list, dropped down (a window of its own); returns its
    editor, if the kind has one."""
    d.click_at(kinds["rect"][2] - 8, centre(kinds)[1])
    listbox = d.wait_for_window("ComboLBox", 5, "the list of kinds")
    r = listbox["rect"]
    line = (r[3] - r[1] - 2) / len(KINDS)
    d.click_at(centre(listbox)[0], int(r[1] + 1 + line * (KINDS.index(kind) + 0.5)))
    return editor_class and d.wait_for_window(editor_class, 10, f"the editor of {kind}")


def browse_for_programs(d, artifacts, editor):
    """Browse in the Run Program editor: the file dialog offers executables, selected, then batch
    files."""
    others = [w["hwnd"] for w in d.windows(DIALOG_CLASS, visible=False)]
    d.click_control(d.child(editor, text="Browse"))
    dialog = d.wait_for_window(DIALOG_CLASS, 15, "the file dialog", exclude=others)
    time.sleep(0.5)
    shoot(d, artifacts, "program-editor-browse")
    items = d.probe("items", str(d.child(dialog, id=FILE_TYPES_ID)["hwnd"]))
    check("the file dialog offers (*.exe), selected, then \" (*.bat)\"",
          [(i["text"], i["selected"]) for i in items] == [("(*.exe)", True), (" (*.bat)", False)], str(items))
    d.probe("close", str(dialog["hwnd"]))
    d.wait_gone(dialog, what="the file dialog to close")


def other_editors(d, artifacts, kinds):
    """The Run Program and Visit Website editors, shown and closed without a choice."""
    for kind, editor_class, name in (("Run Program", "CorvaneProgramEditor", "program-editor"),
                                     ("Visit Website", "CorvaneWebAddressEditor", "web-address-editor")):
        editor = pick_kind(d, kinds, kind, editor_class)
        shoot(d, artifacts, name)
        if kind == "Run Program":
            browse_for_programs(d, artifacts, editor)
        d.probe("close", str(editor["hwnd"]))
        d.wait_gone(editor, what=f"the editor of {kind} to close")


def scheduled_box(d, window):
    return d.control_beside(window, " When System up Time reaches to ", "Button", check_box=True)


def arm(d, window, up):
    """Ticks the page's box, types the trigger of an up time in seconds and applies."""
    scheduled = scheduled_box(d, window)
    if not scheduled["checked"]:
        d.click_control(scheduled)
    for label, value in zip(("Days", "Hours", "Minutes"), trigger_for(up)):
        d.click_control(d.control_beside(window, label, "Edit"))
        d.key("End", "BackSpace", "BackSpace", "BackSpace")
        d.type_text(str(value))
    d.click_control(d.child(window, text="Apply"))


def schedule_alert(d, corvane, artifacts, window, kinds):
    editor = pick_kind(d, kinds, "Alert", "CorvaneAlertEditor")
    check("the editor blocks the Options window", not d.refresh(window)["enabled"])
    d.click_control(d.child(editor, cls="Edit"))
    d.type_text(MESSAGE)
    shoot(d, artifacts, "alert-editor")
    d.click_control(d.child(editor, text="OK"))
    d.wait_gone(editor, what="the alert editor to close")

    up = uptime_seconds()
    ahead = 60 if up % 60 < 35 else 120
    others = [w["hwnd"] for w in d.windows(DIALOG_CLASS)]  # Wine's own, hidden or not
    arm(d, window, up + ahead)
    applied_at = uptime_seconds()
    shoot(d, artifacts, "schedule-applied")
    due = (int(up + ahead) // 60) * 60
    check("Apply came before the trigger minute", applied_at < due, f"applied at {applied_at:.1f}, due {due}")
    early = [w for w in d.windows(DIALOG_CLASS) if w["hwnd"] not in others]
    check("no message before the trigger minute", not early,
          str([[c["text"] for c in d.children(w)] for w in early]))

    box = d.wait_for_window(DIALOG_CLASS, due - uptime_seconds() + 15, "the alert box", exclude=others)
    shown_at = uptime_seconds()
    check("the alert box comes up in the trigger minute", due <= shown_at < due + 60,
          f"shown at {shown_at:.1f}, due {due}")
    texts = [c["text"] for c in d.children(box)]
    check("the alert box shows the message under the title Corvane", box["text"] == "Corvane" and MESSAGE in texts,
          f"{box['text']!r} {texts}")
    shoot(d, artifacts, "alert-box")
    played = re.findall(r'MCI_Open lpstrElementName=L"([^"]*)"', d.log_of(corvane))
    check("the alert played the Windows directory's notification sound",
          [p.lower() for p in played] == ["c:\\\\windows\\\\media\\\\notify.wav"], str(played))
    d.click_control(d.child(box, text="OK"))
    d.wait_gone(box, what="the alert box to close")


def warning_balloon(d, artifacts, window, kinds):
    """Hibernate armed for the next minute of up time: its warning at once, as the tray icon's
    balloon (Wine's desktop shows it as a tool tip window), the task in the icon's tip; the
    balloon's click, as the tray reports it, cancels the task, which the page shows. The Minutes
    box's tip tells the clock time of the trigger."""
    others = [w["hwnd"] for w in d.windows(DIALOG_CLASS)]
    pick_kind(d, kinds, "Hibernate")
    notice = d.wait_for_window(DIALOG_CLASS, 10, "the notice on hibernation", exclude=others)
    d.click_control(d.child(notice, text="OK"))
    d.wait_gone(notice, what="the notice to close")
    if uptime_seconds() % 60 > 40:  # the rest of the minute for the checks, before the trigger
        time.sleep(61 - uptime_seconds() % 60)
    arm(d, window, uptime_seconds() + 60)
    texts = lambda: [w["text"] for w in d.windows(TOOL_TIP_CLASS) if w["text"].startswith("Corvane")]
    balloon = wait_for(lambda: [t for t in texts() if "\n" in t and "hibernate" in t], 10, "the warning balloon")
    check("the balloon warns with the seconds left and says how to cancel",
          re.fullmatch(r"Corvane will hibernate the computer in \d\d? seconds?\.\nClick here to cancel\.", balloon[0]),
          str(balloon))
    icon = d.window_info(d.tray_icons()[0])
    d.run(["xdotool", "mousemove", str(icon["x"] + icon["width"] // 2), str(icon["y"] + icon["height"] // 2)])
    tip = wait_for(lambda: [t for t in texts() if t.startswith("Corvane 4.0\n")], 10, "the tray icon's tip")
    check("the tray icon's tip tells the armed task on its second line",
          re.fullmatch(r"Corvane 4\.0\nHibernate at up time \d+ d \d\d:\d\d \(in 1 min\)", tip[0]), str(tip))
    minutes = d.control_beside(window, "Minutes", "Edit")
    d.run(["xdotool", "mousemove", *map(str, centre(minutes))])
    box_tip = wait_for(lambda: [w["text"] for w in d.windows(TOOL_TIP_CLASS) if w["text"].startswith("Minutes\n")], 10,
                       "the Minutes box's tip")
    check("the Minutes box's tip tells the trigger's clock time in the user's format",
          re.fullmatch(r"Minutes\nReached at about \d\d?:\d\d( [AP]M)? (today|tomorrow)", box_tip[0]), str(box_tip))
    shoot(d, artifacts, "warning-balloon")
    main = d.windows(MAIN_CLASS)[0]
    d.probe("post", str(main["hwnd"]), str(TRAY_MESSAGE), "1", str(NIN_BALLOONUSERCLICK))
    wait_for(lambda: not scheduled_box(d, window)["checked"], 5, "the page's box to clear")
    check("the page shows the task cancelled", d.child(window, cls="msctls_statusbar32")["text"] ==
          "Task Scheduled : No")
    wait_for(lambda: not [t for t in texts() if "hibernate" in t], 10, "the balloon to go")


def second_copy(d, corvane):
    before = len(d.windows(MAIN_CLASS))
    started = time.monotonic()
    second = d.start_program()
    status = d.wait_exit(second, 10, "the second copy to end")
    check("a second copy ends at once, without a window", time.monotonic() - started < 10 and
          len(d.windows(MAIN_CLASS)) == before, f"status {status}")
    check("the first copy keeps running", corvane.poll() is None)


def first_run_to_exit(d, artifacts):
    if uptime_seconds() > 31 * 86400 - 300:
        print("skip: the machine has been up for more than 31 days, which the program refuses")
        return
    # The Windows directory's sound, as Windows ships it, is the one played.
    media = os.path.join(d.prefix, "drive_c", "windows", "Media")
    os.makedirs(media, exist_ok=True)
    shutil.copy(os.path.join(program_folder(), "Media", "notify.wav"), media)
    corvane = d.start_program(env={"WINEDEBUG": "+menu,+mci"})
    slid = first_run_and_slide(d, corvane)
    processor_figure(d, slid)
    shoot(d, artifacts, "main")
    tray_menu(d, corvane, artifacts)
    about(d, corvane, artifacts)
    window, kinds = options_pages(d, corvane, artifacts)
    other_editors(d, artifacts, kinds)
    schedule_alert(d, corvane, artifacts, window, kinds)
    warning_balloon(d, artifacts, window, kinds)
    second_copy(d, corvane)
    d.choose_from_tray_menu(corvane, "Exit Corvane")
    status = d.wait_exit(corvane, 15, "the program to end")
    check("Exit Corvane ends the program with status 259 (3 modulo 256)", status == 3, str(status))


if __name__ == "__main__":
    sys.exit(run_checks((first_run_to_exit, {}), desktop=WineDesktop))
