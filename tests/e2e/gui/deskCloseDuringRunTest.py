#!/usr/bin/env python3
"""Closing the desk through the window manager while a run is under way:
the file being converted is finished, the run stops before the next one,
and the desk closes and stores its settings as usual. Exit status 0 passed,
1 failed, 77 skipped."""

import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop  # noqa: E402
import deskSettings  # noqa: E402

COPIES = 1000  # as many as a run takes: it is still going when the close arrives


def test(args):
    work = tempfile.mkdtemp(prefix="tb-desk-close-")
    try:
        archives = os.path.join(work, "archives")
        output = os.path.join(work, "out")
        os.makedirs(archives)
        os.makedirs(output)
        names = [os.path.join(archives, f"h{i:04}.lzh") for i in range(COPIES)]
        for name in names:
            shutil.copy(os.path.join(args.samples, "hello.lzh"), name)
        with desktop.Desktop(artifacts=args.artifacts) as desk:
            deskSettings.write(desk.config_home, {"Dir_In": archives, "Dir_Out": output})
            # Archives named on the command line wait in the work list.
            app = desk.launch([args.program] + names, cwd=work, title="Tollbrook2 for Win32")
            work_list = app.find(role="list", name="このファイル名が自己解凍作成の対象となります")
            desktop.wait_until(lambda: len(desk.items(work_list)) == COPIES, what="the command-line archives")

            # The run starts as the press ends; the close follows at once.
            desk.press(app.find(role="push button", name="ＤＯＳ"))
            desk.close(app)
            assert app.wait_exit(60) == 0, app.log()

            created = os.listdir(output)
            print(f"{len(created)} of {COPIES} converted before the close took effect")
            assert len(created) < COPIES, f"{len(created)} of {COPIES} converted"
            assert all(name.endswith(".EXE") for name in created), created
            stored = deskSettings.read(desk.config_home)
            assert stored.get("OldDir_Out") == output, stored
            assert stored.get("Main_WindowState") == "0", stored
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    desktop.main(test, extra_arguments=[(("--samples",), {"required": True})])
