#!/usr/bin/env python3
"""The settings file when it is not an ordinary one, with the desk closed as
a person closes it: a file with an unreadable line and a '#' line is written
with what could be read and kept aside once, however often the desk closes;
a settings file that is a folder or a dangling link is told once, with the
reason; a desk ended by SIGTERM (a logout) leaves nothing in the temporary
folder. Exit status 0 passed, 1 failed, 77 skipped."""

import os
import re
import signal
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import deskFolders  # noqa: E402
import desktop  # noqa: E402
import deskSettings  # noqa: E402

TITLE = "Tollbrook2 for Win32"


def message_box(app):
    """The message box that shows now (titled as the program)."""
    return app.find(name="Tollbrook2", state=("showing",), where=lambda n: n.get_role_name() in ("alert", "dialog"))


def answer_message_box(desk, app, pattern) -> str:
    """Reads the text of the box that shows, checks it and presses its OK."""
    box = message_box(app)
    said = app.find(role="label", name=pattern, within=box).get_name()
    ok = app.find(role="push button", within=box)
    ok.do_action(0)  # the desk ends with the box: no waiting for the button to come up
    return said


def write_damaged(config_home, folders) -> bytes:
    """Settings with a line nobody can read and a comment in the '#' style
    Qt's reader does not know."""
    deskSettings.write(config_home, {"Dir_In": folders.archives, "Dir_Out": folders.output})
    with open(deskSettings.path(config_home), "a", encoding="utf-8") as ini:
        ini.write("# edited by hand\nstray line\n")
    with open(deskSettings.path(config_home), "rb") as ini:
        return ini.read()


def settings_folder(config_home) -> list[str]:
    return sorted(os.listdir(os.path.dirname(deskSettings.path(config_home))))


def damaged_file_is_written_once(desk, args, folders):
    original = write_damaged(desk.config_home, folders)
    for start in range(2):
        app = desk.launch([args.program], cwd=folders.work, title=TITLE)
        desk.close(app)
        if start == 0:
            answer_message_box(desk, app, re.compile(re.escape("settings.ini.damaged")))
        # A second box, or the same one again, would keep the desk from ending.
        assert app.wait_exit() == 0, app.log()
        stored = deskSettings.read(desk.config_home)
        assert stored.get("OldDir_Out") == folders.output, (start, stored)
        assert settings_folder(desk.config_home) == ["settings.ini", "settings.ini.damaged"], settings_folder(
            desk.config_home
        )
    with open(deskSettings.path(desk.config_home) + ".damaged", "rb") as copy:
        assert copy.read() == original
    with open(deskSettings.path(desk.config_home), "rb") as written:
        assert b"stray line" not in written.read()


def unstorable_place_is_told_once(desk, args, folders):
    path = deskSettings.path(desk.config_home)
    places = {
        "folder": lambda: os.makedirs(path),
        "dangling link": lambda: os.symlink("/nonexistent-tollbrook2/settings.ini", path),
    }
    for place, prepare in places.items():
        os.makedirs(os.path.dirname(path), exist_ok=True)
        prepare()
        app = desk.launch([args.program], cwd=folders.work, title=TITLE)
        desk.close(app)
        said = answer_message_box(desk, app, re.compile(re.escape(path)))
        if place == "dangling link":
            assert "/nonexistent-tollbrook2/settings.ini" in said, said
        assert app.wait_exit() == 0, f"{place}: {app.log()}"
        print(f"{place}: {said}")
        if os.path.islink(path) or os.path.isfile(path):
            os.remove(path)
        else:
            os.rmdir(path)


def logout_leaves_no_temporary_file(desk, args, folders):
    original = write_damaged(desk.config_home, folders)
    with tempfile.TemporaryDirectory(prefix="tb-desk-tmp-") as temporary:
        app = desk.launch([args.program], env={"TMPDIR": temporary}, cwd=folders.work, title=TITLE)
        os.kill(app.pid, signal.SIGTERM)
        assert app.wait_exit() == -signal.SIGTERM, app.log()
        assert os.listdir(temporary) == [], os.listdir(temporary)
    with open(deskSettings.path(desk.config_home), "rb") as ini:
        assert ini.read() == original, "nobody was told of a copy, so the file stays as it was"
    assert settings_folder(desk.config_home) == ["settings.ini"], settings_folder(desk.config_home)


def test(args):
    scenarios = [damaged_file_is_written_once, unstorable_place_is_told_once, logout_leaves_no_temporary_file]
    with deskFolders.archives_and_output(args.samples, {}, prefix="tb-desk-store-") as folders:
        with desktop.Desktop(artifacts=args.artifacts) as desk:
            for scenario in scenarios:
                settings = os.path.dirname(deskSettings.path(desk.config_home))
                if os.path.isdir(settings):
                    for name in os.listdir(settings):
                        os.remove(os.path.join(settings, name))
                scenario(desk, args, folders)


if __name__ == "__main__":
    desktop.main(test, extra_arguments=[(("--samples",), {"required": True})])
