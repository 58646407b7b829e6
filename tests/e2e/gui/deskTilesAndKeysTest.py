#!/usr/bin/env python3
"""The desk in a person's hands, on a real X server with a window manager:
the six windows fill the desk exactly after the window manager maximises,
restores and resizes it; the keyboard alone reaches Ｗｉｎ３２ and presses
it, opens the work list's popup with Shift+F10, comes back to the work
list after the run and leaves it with Tab; the font chooser opened from the menu and confirmed unchanged keeps
the stored font. Exit status 0 passed, 1 failed, 77 skipped."""

import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import demoDesk  # noqa: E402
import deskFolders  # noqa: E402
import desktop  # noqa: E402
import deskSettings  # noqa: E402

TITLES = [
    "圧縮ファイル格納フォルダ",
    "圧縮ファイル名",
    "自己解凍作成ファイル名",
    re.compile(r"^自己解凍格納フォルダ \([0-9,]+\.\dM Free\)$"),
    "実行履歴",
    "自己解凍作成終了ファイル",
]
KEY_F6, KEY_F10, KEY_TAB, KEY_SPACE, KEY_DOWN, KEY_RETURN = 0xFFC3, 0xFFC7, 0xFF09, 0x20, 0xFF54, 0xFF0D
SHIFT_KEYCODE = 50  # the left Shift key of the X server's keyboard map


def key(keysym):
    desktop.Atspi.generate_keyboard_event(keysym, None, desktop.Atspi.KeySynthType.SYM)


def tiling_faults(desk, app, frame):
    """What is wrong with the six windows' places: empty when they stand in
    two columns of three that meet edge to edge and reach the desk's right
    and bottom edges without going past them."""
    boxes = [desk.extents(app.window(title)) for title in TITLES]
    left, top, width, height = desk.extents(frame)
    faults = []
    for column in (boxes[:3], boxes[3:]):
        for upper, lower in zip(column, column[1:]):
            if upper[1] + upper[3] != lower[1]:
                faults.append(f"rows do not meet: {upper} {lower}")
        if column[-1][1] + column[-1][3] != top + height:
            faults.append(f"the bottom row ends at {column[-1][1] + column[-1][3]}, the desk at {top + height}")
    for row in range(3):
        if boxes[row][0] + boxes[row][2] != boxes[row + 3][0]:
            faults.append(f"columns do not meet: {boxes[row]} {boxes[row + 3]}")
        if boxes[row + 3][0] + boxes[row + 3][2] != left + width:
            faults.append(f"the right column ends at {boxes[row + 3][0] + boxes[row + 3][2]}, the desk at {left + width}")
    return faults


def expect_tiled(desk, app, frame, step):
    try:
        desktop.wait_until(lambda: not tiling_faults(desk, app, frame), what=f"the tiles {step}")
    except desktop.DesktopError:
        raise AssertionError(f"{step}: {tiling_faults(desk, app, frame)}") from None


def window_manager(desk, app, *arguments):
    window = next(wid for wid, pid, title in desk.windows() if pid == app.pid and title == "Tollbrook2 for Win32")
    subprocess.run(["wmctrl", "-i", "-r", window, *arguments], env=desk.env, check=True)


def shift_key(keysym):
    """The key with Shift held, as a person presses the two (Shift by its
    key code on Xvfb's keyboard)."""
    desktop.Atspi.generate_keyboard_event(SHIFT_KEYCODE, None, desktop.Atspi.KeySynthType.PRESS)
    key(keysym)
    desktop.Atspi.generate_keyboard_event(SHIFT_KEYCODE, None, desktop.Atspi.KeySynthType.RELEASE)


def focused(app, role, name):
    return "focused" in desktop.states(app.find(role=role, name=name))


def f6_until(condition, what):
    for _ in range(8):
        if condition():
            return
        key(KEY_F6)
        desktop.wait_until(lambda: True)
    desktop.wait_until(condition, what=what)


def test(args):
    with deskFolders.archives_and_output(args.samples, {"hello.lzh": "hello.lzh"}) as folders, desktop.Desktop(
        screen="1280x900x24", artifacts=args.artifacts
    ) as desk:
        deskSettings.write(desk.config_home, demoDesk.settings(folders, 533, 533))
        app = desk.launch([args.program], cwd=folders.work, title="Tollbrook2 for Win32")
        frame = app.window("Tollbrook2 for Win32")

        # The window manager changes the desk's size; the tiles follow each time.
        mdi = app.window(TITLES[0]).get_parent()
        expect_tiled(desk, app, mdi, "at 533 x 533")
        window_manager(desk, app, "-b", "add,maximized_vert,maximized_horz")
        desktop.wait_until(lambda: desk.extents(frame)[2] > 1000, what="the maximised desk")
        expect_tiled(desk, app, mdi, "maximised")
        window_manager(desk, app, "-b", "remove,maximized_vert,maximized_horz")
        desktop.wait_until(lambda: desk.extents(frame)[2] < 1000, what="the restored desk")
        expect_tiled(desk, app, mdi, "restored")
        window_manager(desk, app, "-e", "0,60,60,811,617")
        desktop.wait_until(lambda: desk.extents(frame)[2] == 811, what="the resized desk")
        expect_tiled(desk, app, mdi, "resized to 811 x 617")

        # The keyboard alone: the archive into the work list; F6 on to the
        # work list, Shift+F10 opens its popup, "Select all" (the first item)
        # selects the entry; F6 on to the panel, Tab to Ｗｉｎ３２, Space.
        desk.press(app.find(role="push button", name="全ての圧縮ファイルを自己解凍の対象とします"))
        win32 = app.find(role="push button", name="Ｗｉｎ３２")
        desktop.wait_until(lambda: "enabled" in desktop.states(win32), what="the Execute buttons")
        work_list = "このファイル名が自己解凍作成の対象となります"
        entry = app.find(role="list item", name=re.compile(r"/hello\.lzh$"), within=app.find(role="list", name=work_list))
        f6_until(lambda: focused(app, "list", work_list), "F6 to the work list")
        assert "selected" not in desktop.states(entry), desktop.states(entry)
        shift_key(KEY_F10)
        key(KEY_DOWN)
        key(KEY_RETURN)
        desktop.wait_until(lambda: "selected" in desktop.states(entry), what="Select all from the popup")
        f6_until(lambda: focused(app, "push button", "ＤＯＳ"), "F6 to the panel")
        key(KEY_TAB)
        key(KEY_TAB)
        desktop.wait_until(lambda: focused(app, "push button", "Ｗｉｎ３２"), what="Tab to Ｗｉｎ３２")
        key(KEY_SPACE)
        history = app.find(role="list", name="実行履歴")
        desktop.wait_until(lambda: desk.items(history)[-1:] == ["全て終了しました"], timeout=60, what="the run")
        assert os.listdir(folders.output) == ["HELLO.EXE"], os.listdir(folders.output)

        # The run gave the keyboard back: Ｗｉｎ３２ is off with the list
        # empty, so it is on the work list, and Tab goes on to its buttons.
        desktop.wait_until(lambda: focused(app, "list", work_list), what="the keyboard back on the work list")
        key(KEY_TAB)
        desktop.wait_until(lambda: not focused(app, "list", work_list), what="Tab out of the work list")

        # The font chooser opens on the face the stored name stands for; OK
        # unchanged keeps the name.
        desk.choose(app, ["Fon(t)"])
        chooser = app.find(role="dialog", state=("showing",), name=re.compile("Tollbrook2"))
        desk.press(app.find(role="push button", name="OK", within=chooser))
        desktop.wait_until(
            lambda: not app.find_all(role="dialog", state=("showing",), name=re.compile("Tollbrook2")),
            what="the font chooser to close",
        )
        desk.close(app)
        app.wait_exit()
        stored = deskSettings.read(desk.config_home)
        assert stored.get("Font_Name") == "ＭＳ 明朝" and stored.get("Font_Size") == "10", stored


if __name__ == "__main__":
    desktop.main(test, extra_arguments=[(("--samples",), {"required": True})])
