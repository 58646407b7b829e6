#!/usr/bin/env python3
"""Takes the README's picture of the desk: a few sample archives taken into
the work list, one Win32 run, two archives waiting for the next run, and
the desk's window written as a PNG, in the language of --lang
(scripts/screenshot.sh calls this)."""

import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import demoDesk  # noqa: E402
import deskFolders  # noqa: E402
import desktop  # noqa: E402
import deskLanguage  # noqa: E402
import deskSettings  # noqa: E402

# Archive names of the picture and the sample each is a copy of.
ARCHIVES = {
    "docs.lzh": "hello.lzh",
    "fonts.cab": "tools.cab",
    "games.lzh": "hello.lzh",
    "setup.cab": "tools.cab",
    "tools.lzh": "hello.lzh",
}


def test(args):
    # A short, steady folder name reads better in the picture.
    steady = os.path.join(tempfile.gettempdir(), "tollbrook2-demo")
    with deskFolders.archives_and_output(args.samples, ARCHIVES, work=steady) as folders, desktop.Desktop(
        screen="1280x900x24", artifacts=args.artifacts
    ) as desk:
        deskSettings.write(desk.config_home, demoDesk.settings(folders, 1040, 760))
        app = desk.launch(
            [args.program, *deskLanguage.arguments(args.lang)], cwd=folders.work, title="Tollbrook2 for Win32"
        )
        demoDesk.run_then_queue(desk, app, len(ARCHIVES), [1, 3], args.lang)

        frame = app.window("Tollbrook2 for Win32")
        desk.park_pointer(1279, 899)
        desk.screenshot(args.out, region=desk.extents(frame))
        print(f"wrote {args.out}")
        desk.close(app)
        app.wait_exit()


if __name__ == "__main__":
    desktop.main(
        test,
        extra_arguments=deskLanguage.PICTURE_ARGUMENTS,
    )
