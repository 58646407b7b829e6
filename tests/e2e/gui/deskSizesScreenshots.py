#!/usr/bin/env python3
"""Takes the desk as a person first meets it, to be looked at after a
change of the desk's layout (scripts/screenshot.sh calls this): the
default size (533 x 533), maximised by the window manager, and at scale
factors 1.5 and 2, each as a PNG of the desk's window in --out; under
--lang=en the pictures' names end in -en."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import demoDesk  # noqa: E402
import deskFolders  # noqa: E402
import desktop  # noqa: E402
import deskLanguage  # noqa: E402
import deskSettings  # noqa: E402

ARCHIVES = {"docs.lzh": "hello.lzh", "setup.cab": "tools.cab"}
TITLE = "Tollbrook2 for Win32"
# Picture name, scale factor, whether the window manager maximises it.
SHOTS = [
    ("desk-default.png", 1, False),
    ("desk-maximised.png", 1, True),
    ("desk-scale1.5.png", 1.5, False),
    ("desk-scale2.png", 2, False),
]


def test(args):
    with deskFolders.archives_and_output(args.samples, ARCHIVES) as folders, desktop.Desktop(
        screen="1280x1200x24", artifacts=args.artifacts
    ) as desk:
        for name, scale, maximised in SHOTS:
            # The stored place in twips; at a scale factor the window grows with it.
            deskSettings.write(desk.config_home, demoDesk.settings(folders, 533, 533))
            app = desk.launch(
                [args.program, *deskLanguage.arguments(args.lang)],
                env={"QT_SCALE_FACTOR": str(scale)},
                cwd=folders.work,
                title=TITLE,
            )
            frame = app.window(TITLE)
            if maximised:
                window = next(wid for wid, pid, title in desk.windows() if pid == app.pid and title == TITLE)
                subprocess.run(
                    ["wmctrl", "-i", "-r", window, "-b", "add,maximized_vert,maximized_horz"], env=desk.env, check=True
                )
                desktop.wait_until(lambda: desk.extents(frame)[2] > 1000, what="the maximised desk")
            desk.park_pointer(1279, 1199)
            out = os.path.join(args.out, deskLanguage.picture_name(name, args.lang))
            # The accessible extents are in the program's scaled-down pixels.
            region = tuple(round(value * scale) for value in desk.extents(frame))
            desk.screenshot(out, region=region)
            print(f"wrote {out}")
            desk.close(app)
            app.wait_exit()


if __name__ == "__main__":
    desktop.main(
        test,
        extra_arguments=deskLanguage.PICTURE_ARGUMENTS,
    )
