#!/usr/bin/env python3
"""Closing the desk through the window manager while a run is under way:
the file being converted is finished, the run stops before the next one,
and the desk closes and stores its settings as usual. Exit status 0 passed,
1 failed, 77 skipped."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import deskFolders  # noqa: E402
import desktop  # noqa: E402
import deskSettings  # noqa: E402

COPIES = 1000  # as many as a run takes: it is still going when the close arrives


def test(args):
    copies = {f"h{i:04}.lzh": "hello.lzh" for i in range(COPIES)}
    with deskFolders.archives_and_output(args.samples, copies) as folders, desktop.Desktop(
        artifacts=args.artifacts
    ) as desk:
        # Archives named on the command line wait in the work list.
        names = [folders.archive(name) for name in copies]
        app, work_list = deskFolders.launch_with_work_list(desk, args.program, folders, names)

        # The run starts as the press ends; the close follows as soon as its
        # worker processes are there (found first: a search of the tree
        # takes longer than a run on them).
        dos = app.find(role="push button", name="ＤＯＳ")
        desk.press(dos)
        desktop.wait_until(lambda: desktop.workers_of(app.pid), timeout=30, interval=0.005, what="the workers")
        desk.close(app)
        assert app.wait_exit(60) == 0, app.log()

        created = os.listdir(folders.output)
        print(f"{len(created)} of {COPIES} converted before the close took effect")
        assert len(created) < COPIES, f"{len(created)} of {COPIES} converted"
        assert all(name.endswith(".EXE") for name in created), created
        stored = deskSettings.read(desk.config_home)
        assert stored.get("OldDir_Out") == folders.output, stored
        assert stored.get("Main_WindowState") == "0", stored


if __name__ == "__main__":
    desktop.main(test, extra_arguments=[(("--samples",), {"required": True})])
