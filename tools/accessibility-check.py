#!/usr/bin/python3
"""What a screen reader meets in the KVX window, through the accessibility bus.

Run by tools/accessibility-check.sh (by hand, not in CI: it needs Xvfb, a
D-Bus session and python3-pyatspi). Walks the window's Tab order with real
key presses, and says for each control that takes the focus its role and its
name; a control without a name, or named by its program name instead of the
interface's language, is a fault. Then opens the node menu with Shift+F10 on
a selected row and lists its items.
Usage: accessibility-check.py WINDOW_ID
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

PROGRAM_NAMES = {"TV", "txtStartPath", "frmPattern", "FileLNG", "Directory", "File1", "Drive1"}


def keys(*names):
    for name in names:
        subprocess.run(["xdotool", "key", name], check=True)
        time.sleep(0.3)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(50):
        for app in desktop:
            if app is not None and app.name.lower().startswith("kvx"):
                return app
        time.sleep(0.2)
    sys.exit("accessibility-check: the program is not on the accessibility bus")


def find(node, test):
    """The first accessible below `node` (itself included) that passes `test`."""
    try:
        if test(node):
            return node
        for child in node:
            if child is not None:
                found = find(child, test)
                if found is not None:
                    return found
    except Exception:  # an object gone meanwhile
        pass
    return None


def focused(app):
    return find(app, lambda a: a.getState().contains(pyatspi.STATE_FOCUSED)
                and a.getRole() != pyatspi.ROLE_FRAME)


def main():
    # Without a window manager the window takes the keyboard only when told.
    subprocess.run(["xdotool", "windowfocus", "--sync", sys.argv[1]], check=True)
    time.sleep(0.5)
    app = application()
    faults = 0
    seen = []
    start = focused(app)
    node = start
    for _ in range(40):
        if node is None:
            print("  (nothing has the focus)")
            faults += 1
        else:
            name, role = node.name, node.getRoleName()
            fault = not name or name in PROGRAM_NAMES
            faults += fault
            print(f"  {'FAULT ' if fault else ''}{role}: {name!r}")
            seen.append((role, name))
        keys("Tab")
        node = focused(app)
        if node is not None and start is not None and (node.getRoleName(), node.name) == seen[0]:
            break
    print(f"{len(seen)} controls reached by Tab, {faults} without a name in the language")

    # The tree, a row selected, then Shift+F10: the menu is no child of the
    # application (popups never are); a screen reader meets it through the
    # focus events of its items, which the arrow keys move.
    seen_items = []

    def on_focus(event):
        if event.detail1 and event.source.getRole() in (pyatspi.ROLE_MENU_ITEM,
                                                         pyatspi.ROLE_CHECK_MENU_ITEM):
            seen_items.append(event.source)

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    tree = find(app, lambda a: a.getRole() in (pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE))
    tree.queryComponent().grabFocus()
    GLib.timeout_add(300, lambda: keys("Down", "shift+F10", "Down") and False)
    GLib.timeout_add(3000, lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()
    if not seen_items:
        print("FAULT: Shift+F10 opened no menu")
        faults += 1
    else:
        menu = seen_items[-1].parent
        items = [f"{item.name}{'' if item.getState().contains(pyatspi.STATE_ENABLED) else ' (disabled)'}"
                 for item in menu if item is not None and item.name]
        print(f"Shift+F10 opened the node menu ({menu.getRoleName()}): " + " | ".join(items))
        keys("Escape")
    sys.exit(1 if faults else 0)


main()
