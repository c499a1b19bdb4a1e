"""The tray where there is no XEmbed tray. With a StatusNotifierItem host (a watcher stand-in on
the private session bus) the item registers, names its theme icon, keeps its tool tip and
exports its menu: the menu's "Schedule Task" opens the Schedule Task page, and the host's
ContextMenu call opens the menu as a right-click does. With no tray at all the log says so and
a right-click on the main window opens the same menu."""

import os
import sys
import time

import dbus

from desktop import MOCK, check, run_checks, wait_for

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_PATH = "/StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
DBUSMENU = "com.canonical.dbusmenu"
NO_TRAY_NOTE = "No system tray on this desktop"
# The page tabs in the Options and Schedule Task window's client area (pixels at scale 1).
TABS = {"Options": (22, 24, 55, 55), "Schedule Task": (22, 128, 55, 55)}


def start_watcher(d):
    """A StatusNotifierWatcher with a host registered, as a panel offers it."""
    d.start_mock(WATCHER, WATCHER, WATCHER_PATH, WATCHER)
    d.bus().get_object(WATCHER, WATCHER_PATH).AddProperties(WATCHER, {
        "IsStatusNotifierHostRegistered": True,
        "ProtocolVersion": dbus.Int32(0),
        "RegisteredStatusNotifierItems": dbus.Array([], signature="s"),
    }, dbus_interface=MOCK)
    for method in ("RegisterStatusNotifierItem", "RegisterStatusNotifierHost"):
        d.mock_add_method(WATCHER, WATCHER_PATH, WATCHER, method, "s", "")


def selected_tab(d, window):
    """The page tab drawn selected (orange) in the window, from a screenshot."""
    shot = d.screenshot(os.path.join(d.tmp, "tabs.png"))
    client = d.window_info(window)
    from test_look import pixels  # the screenshot reader of the look test

    def orange(x, y, w, h):
        return sum(1 for r, g, b in pixels(shot, client["x"] + x, client["y"] + y, w, h)
                   if r > 200 and 80 < g < 200 and b < 100)

    counts = {name: orange(*place) for name, place in TABS.items()}
    best = max(counts, key=counts.get)
    return best if counts[best] > 100 and sorted(counts.values())[0] < 20 else None


def open_schedule_window(d, corvane, main):
    form2 = wait_for(lambda: d.window_named(corvane.pid, "Corvane", exclude=(main,)), 10, "the Schedule Task window")
    time.sleep(0.5)
    return wait_for(lambda: selected_tab(d, form2), 5, "a selected page tab")


def status_notifier_host(d, artifacts):
    start_watcher(d)
    prefix = os.path.dirname(os.path.dirname(d.corvane_path()))
    # Installed, the program's icon is in the data folders the desktop searches.
    corvane = d.start_corvane(env={"XDG_DATA_DIRS": f"{prefix}/share:/usr/share"})
    main = wait_for(lambda: d.main_window(corvane.pid), 30, "the main window")
    calls = wait_for(lambda: [args for name, args in d.mock_calls(WATCHER, WATCHER_PATH)
                              if name == "RegisterStatusNotifierItem"], 10, "the item to register")
    service = str(calls[0][0])
    check("the item registers with the watcher", service)

    item = d.bus().get_object(service, "/StatusNotifierItem")
    props = item.GetAll(ITEM, dbus_interface="org.freedesktop.DBus.Properties")
    check("its menu is exported at a real path", props["Menu"] not in ("", "/NO_DBUSMENU"), props["Menu"])
    check("its icon has the theme name corvane", props["IconName"] == "corvane", props["IconName"])
    check("its tool tip is kept", props["ToolTip"][2] == "Corvane 4.0", str(props["ToolTip"]))

    menu = d.bus().get_object(service, props["Menu"])
    _revision, layout = menu.GetLayout(0, -1, [], dbus_interface=DBUSMENU)
    labels = {str(child[1].get("label", "-")): int(child[0]) for child in layout[2]}
    check("the exported menu holds the items", {"Options ", "Schedule Task", "Exit Corvane"} <= set(labels),
          str(labels))
    menu.AboutToShow(0, dbus_interface=DBUSMENU)
    menu.Event(labels["Schedule Task"], "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0),
               dbus_interface=DBUSMENU)
    check("\"Schedule Task\" clicked in the host's menu opens the Schedule Task page",
          open_schedule_window(d, corvane, main) == "Schedule Task")
    if artifacts:
        d.screenshot(os.path.join(artifacts, "tray-sni-schedule.png"))

    item.ContextMenu(dbus.Int32(300), dbus.Int32(300), dbus_interface=ITEM)
    check("the host's ContextMenu call opens the menu", wait_for(lambda: d.popup_menus(corvane.pid), 5, "the menu"))
    check("no word of a missing tray in the log", NO_TRAY_NOTE not in d.log_of(corvane))


def no_tray(d, artifacts):
    corvane = d.start_corvane()
    main = wait_for(lambda: d.main_window(corvane.pid), 30, "the main window")
    wait_for(lambda: d.frame_geometry(main)["y"] == -1, 20, "the slide to end")
    check("the log says there is no tray", wait_for(lambda: NO_TRAY_NOTE in d.log_of(corvane), 5, "the log line"))
    d.click(main, 60, 20, button=3)
    wait_for(lambda: d.popup_menus(corvane.pid), 5, "the menu on the window")
    if artifacts:
        d.screenshot(os.path.join(artifacts, "tray-none-menu.png"))
    d.key("Down", "Down", "Down", "Return")  # About, Options, Schedule Task
    check("the window's menu leads to the Schedule Task page", open_schedule_window(d, corvane, main) == "Schedule Task")


if __name__ == "__main__":
    sys.exit(run_checks((status_notifier_host, {"tray": False}), (no_tray, {"tray": False})))
