"""The tray on a StatusNotifierItem host (a watcher stand-in on the private session bus, no XEmbed
tray): the item registers, names its theme icon, keeps its tool tip and exports its menu, whose
"Schedule Task" opens the Schedule Task page; the host's ContextMenu call opens the menu as a
right-click does; the main window has no tool tip of its own. Without any tray the main window's
tool tip says how to reach the menu."""

import os
import sys
import time

import dbus

from desktop import MOCK, check, run_checks, wait_for
from test_look import pixels

WATCHER, WATCHER_PATH = "org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher"
ITEM, DBUSMENU = "org.kde.StatusNotifierItem", "com.canonical.dbusmenu"
TABS = {"Options": (22, 24, 55, 55), "Schedule Task": (22, 128, 55, 55)}  # page tabs, client pixels


def selected_tab(d, window):
    """The page tab drawn selected (orange) in a screenshot of the window, or None."""
    shot, client = d.screenshot(os.path.join(d.tmp, "tabs.png")), d.window_info(window)
    orange = {name: sum(r > 200 and 80 < g < 200 and b < 100 for r, g, b in
                        pixels(shot, client["x"] + x, client["y"] + y, w, h)) for name, (x, y, w, h) in TABS.items()}
    best = max(orange, key=orange.get)
    return best if orange[best] > 100 and min(orange.values()) < 20 else None


def start_watcher(d):
    """A StatusNotifierWatcher stand-in with a registered host, as a panel's tray starts it: the name
    first, then the host, announced with StatusNotifierHostRegistered."""
    d.start_mock(WATCHER, WATCHER, WATCHER_PATH, WATCHER)
    watcher = d.bus().get_object(WATCHER, WATCHER_PATH)
    watcher.AddProperties(WATCHER, {
        "IsStatusNotifierHostRegistered": True, "ProtocolVersion": dbus.Int32(0),
        "RegisteredStatusNotifierItems": dbus.Array([], signature="s")}, dbus_interface=MOCK)
    d.mock_add_method(WATCHER, WATCHER_PATH, WATCHER, "RegisterStatusNotifierItem", "s", "")
    watcher.EmitSignal(WATCHER, "StatusNotifierHostRegistered", "", [], dbus_interface=MOCK)


def registrations(d):
    return [a for m, a in d.mock_calls(WATCHER, WATCHER_PATH) if m == "RegisterStatusNotifierItem"]


def hover_tool_tip(d, pid, window, timeout):
    """Rests the pointer on an empty spot of the window (no control there has a tool tip of its
    own), once the slide has ended; returns the program's tool tip window that shows, or None."""
    last_row = d.work_area()[1] - 1
    wait_for(lambda: d.frame_geometry(window)["y"] == last_row, 20, "the slide's end")
    d.run(["xdotool", "mousemove", "--window", str(window), "60", "90"], check=True)
    d.run(["xdotool", "mousemove", "--window", str(window), "20", "15"], check=True)
    try:
        return wait_for(lambda: next((w for w in d.windows_of(pid) if (d.window_info(w) or {}).get("viewable") and
                                      "TOOLTIP" in d.property(w, "_NET_WM_WINDOW_TYPE")), None), timeout, "a tool tip")
    except AssertionError:
        return None


def without_tray(d, artifacts):
    corvane = d.start_corvane()
    main = wait_for(lambda: d.main_window(corvane.pid), 30, "the main window")
    tip = hover_tool_tip(d, corvane.pid, main, 10)
    check("without a tray, resting on the main window shows a tool tip", tip)
    if artifacts and tip:
        d.screenshot(os.path.join(artifacts, "no-tray-hint.png"))
    check("the log says the menu opens from the main window", "right-click on the main window" in d.log_of(corvane))


def run(d, artifacts):
    start_watcher(d)
    prefix = os.path.dirname(os.path.dirname(d.corvane_path()))
    # Installed, the program's icon lies in the data folders the desktop searches.
    corvane = d.start_corvane(env={"XDG_DATA_DIRS": f"{prefix}/share:/usr/share"})
    main = wait_for(lambda: d.main_window(corvane.pid), 30, "the main window")
    calls = wait_for(lambda: registrations(d), 10, "the item to register")
    check("with a tray, the main window has no tool tip of its own", not hover_tool_tip(d, corvane.pid, main, 2))
    item = d.bus().get_object(str(calls[0][0]), "/StatusNotifierItem")
    props = item.GetAll(ITEM, dbus_interface="org.freedesktop.DBus.Properties")
    check("the item registers and exports its menu at a real path", props["Menu"] not in ("", "/NO_DBUSMENU"))
    check("its icon has the theme name corvane", props["IconName"] == "corvane", props["IconName"])
    check("its tool tip is kept", props["ToolTip"][2] == "Corvane 4.0", str(props["ToolTip"]))

    menu = d.bus().get_object(str(calls[0][0]), props["Menu"])
    layout = menu.GetLayout(0, -1, [], dbus_interface=DBUSMENU)[1]
    ids = {str(child[1].get("label", "-")): int(child[0]) for child in layout[2]}
    menu.AboutToShow(0, dbus_interface=DBUSMENU)
    menu.Event(ids["Schedule Task"], "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0), dbus_interface=DBUSMENU)
    options_window = wait_for(lambda: d.window_named(corvane.pid, "Corvane", exclude=(main,)), 10, "the Schedule Task window")
    time.sleep(0.5)
    check("\"Schedule Task\" clicked in the host's menu opens the Schedule Task page",
          wait_for(lambda: selected_tab(d, options_window), 5, "a selected tab") == "Schedule Task")
    if artifacts:
        d.screenshot(os.path.join(artifacts, "tray-sni-schedule.png"))
    item.ContextMenu(dbus.Int32(300), dbus.Int32(300), dbus_interface=ITEM)
    check("the host's ContextMenu call opens the menu", wait_for(lambda: d.popup_menus(corvane.pid), 5, "the menu"))


if __name__ == "__main__":
    sys.exit(run_checks((run, {"tray": False}), (without_tray, {"tray": False})))
