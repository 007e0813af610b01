#!/usr/bin/python3
"""Drives the program by keys alone and checks what AT-SPI reports (run by run.sh)."""
import subprocess
import sys
import time
import warnings

warnings.filterwarnings("ignore", category=DeprecationWarning)
import gi  # noqa: E402

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

PID = int(sys.argv[1])
failures = []
events = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def pump(seconds):
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def find_app():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        try:
            if app is not None and app.get_process_id() == PID and app.get_child_count() > 0:
                app.set_cache_mask(Atspi.Cache.NONE)
                return app
        except GLib.Error:
            pass
    return None


def walk(node, depth=0):
    yield node
    if depth > 40:
        return
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child, depth + 1)


def states(node):
    return {s.value_nick for s in node.get_state_set().get_states()}


def named(app, name, role=None):
    for node in walk(app):
        if node.get_name() == name and (role is None or node.get_role_name() == role):
            return node
    return None


def focused(app):
    """The name of the focused widget (windows and menus aside)."""
    for node in walk(app):
        if "focused" in states(node) and node.get_role_name() not in ("frame", "dialog"):
            return node.get_name()
    return None


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "40", *names], check=True)
    pump(0.6)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "40", text], check=True)
    pump(0.4)


def on_event(event):
    try:
        events.append((event.type, event.source.get_name(), event.source.get_role_name()))
    except GLib.Error:
        pass


def taken(kind, source=None):
    """Events of `kind` since the last call (from `source` alone when given)."""
    global events
    got = [e for e in events if e[0].startswith(kind) and (source is None or e[1] == source)]
    events = []
    return got


def wait_for(predicate, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        result = predicate()
        if result:
            return result
        pump(0.1)
    return None


def keypad_names(app):
    frame = app.get_child_at_index(0)
    buttons = [n for n in walk(frame) if n.get_role_name() == "push button"]
    names = [b.get_name() for b in buttons]
    check(len(buttons) >= 46, f"the keypad offers its buttons ({len(buttons)})")
    check(len(set(names)) == len(names), "no two buttons share a name")
    check(all(b.get_description() for b in buttons), "every button has a description")
    check("focusable" in states(buttons[0]), "buttons are focusable")


def pass_is_announced(app):
    type_text("1200")
    keys("Return")
    type_text("+ 300")
    taken("")
    keys("ctrl+Return")
    described = taken("object:property-change:accessible-description", "計算部")
    check(len(described) == 1, f"a pass with a new total is announced once ({len(described)})")
    sheet = named(app, "計算部")
    check("1500" in (sheet.get_description() or ""), "the sheet describes the new total")
    check(focused(app) == "計算部", f"the focus stays in the sheet ({focused(app)})")
    keys("ctrl+Return")
    check(not taken("object:property-change:accessible-description", "計算部"),
          "the same pass again says nothing")
    status = [e for e in taken("object:property-change:accessible-name")
              if e[2] == "status bar"]
    check(not status, f"the status bar stays quiet on the same outcome ({len(status)})")


def keypad_by_keys(app):
    keys("F8")
    check(focused(app) == "前の1文字を削除", f"F8 reaches the keypad ({focused(app)})")
    keys("Down", "Right")
    check(focused(app) == "数字の 8", f"arrows move between keys ({focused(app)})")
    keys("space")
    sheet = named(app, "計算部")
    text = Atspi.Text.get_text(sheet, 0, Atspi.Text.get_character_count(sheet))
    check(text.endswith("3008"), f"Space presses the key ({text!r})")
    check(focused(app) == "数字の 8", "the keyboard stays on the key")
    keys("Escape")
    check(focused(app) == "計算部", f"Esc goes back to the sheet ({focused(app)})")


def dialog_closes(menu_keys, title, key, focus_ok):
    """Opens a dialog by its menu keys and closes it by `key`, on OK or where it opened."""
    keys(*menu_keys)
    dialog = wait_for(lambda: named(find_app(), title, "dialog"), 10)
    check(dialog is not None, f"{title} opens")
    if dialog is None:
        return
    where = "on its first control"
    if focus_ok:
        ok = next((n for n in walk(dialog) if n.get_role_name() == "push button"
                   and n.get_name() == "OK"), None)
        check(ok is not None, f"{title} has OK")
        Atspi.Component.grab_focus(ok)
        pump(0.3)
        where = "on the focused OK"
    keys(key)
    closed = wait_for(lambda: "showing" not in states(dialog) or None, 5)
    check(closed is not None, f"{key} {where} closes {title}")


def main():
    app = wait_for(find_app, 20)
    if app is None:
        sys.exit("the program did not appear on AT-SPI")
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(PID)],
                            capture_output=True, text=True, timeout=10).stdout.split()
    subprocess.run(["xdotool", "windowfocus", window[0]], check=True)
    wait_for(lambda: focused(app) == "計算部", 5)
    listener = Atspi.EventListener.new(on_event)
    for kind in ("object:property-change:accessible-description",
                 "object:property-change:accessible-name", "object:state-changed:focused"):
        listener.register(kind)
    keypad_names(app)
    pass_is_announced(app)
    keypad_by_keys(app)
    dialog_closes(["alt+o", "f"], "設定", "Return", True)
    dialog_closes(["alt+o", "f"], "設定", "Return", False)  # OK is the default button
    dialog_closes(["alt+o", "f"], "設定", "Escape", False)
    dialog_closes(["alt+o", "u"], "ユーザー定義式", "Return", True)
    if failures:
        sys.exit(f"{len(failures)} check(s) failed")


main()
