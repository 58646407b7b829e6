#!/usr/bin/env python3
"""A desk run on worker processes, as a person starts and stops it: a full
work list converted by the desk's child processes, ｷｬﾝｾﾙ pressed as soon as
they are seen, and the history and files afterwards exactly those of an
automatic run of the same archives cut where the desk stopped. Exit status
0 passed, 1 failed, 77 skipped."""

import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import deskFolders  # noqa: E402
import desktop  # noqa: E402

COPIES = 1000  # as many as a run takes: it is still going when ｷｬﾝｾﾙ arrives


def counter_readings(progress):
    """A condition that reads the counter ("n / N", as a screen reader reads
    the bar) and holds its first two different readings once it has moved."""
    seen = []

    def moved():
        reading = re.fullmatch(rf"(\d+) / {COPIES}", progress.get_name() or "")
        if reading and int(reading.group(1)) not in seen:
            seen.append(int(reading.group(1)))
        return seen[:2] if len(seen) >= 2 else None

    return moved


def test(args):
    copies = {f"h{i:04}.lzh": "hello.lzh" for i in range(COPIES)}
    with deskFolders.archives_and_output(args.samples, copies) as folders, desktop.Desktop(
        artifacts=args.artifacts
    ) as desk:
        names = [folders.archive(name) for name in copies]
        app, work_list = deskFolders.launch_with_work_list(desk, args.program, folders, names)
        history = app.find(role="list", name="実行履歴")

        # Found before the run: a search of the tree takes longer than a run.
        win32 = app.find(role="push button", name="Ｗｉｎ３２")
        cancel = app.find(role="push button", name="ｷｬﾝｾﾙ")
        progress = app.find(role="progress bar")
        desk.press(win32)
        workers = desktop.wait_until(
            lambda: desktop.workers_of(app.pid), timeout=30, interval=0.005, what="the desk's worker processes"
        )
        print(f"{len(workers)} worker processes convert for the desk")
        counts = desktop.wait_until(
            counter_readings(progress), timeout=30, interval=0.001, what="the counter to move"
        )
        print(f"the counter showed {counts[0]} / {COPIES}, then {counts[1]} / {COPIES}")
        assert 0 <= counts[0] < counts[1] <= COPIES, counts
        desk.press(cancel)
        desktop.wait_until(
            lambda: desk.items(history)[-1:] == ["中断しました"], timeout=60, what="the run to end cancelled"
        )
        lines = desk.items(history)
        said = sum(line.startswith("[ ") for line in lines)
        print(f"{said} of {COPIES} archives converted before ｷｬﾝｾﾙ took effect")
        assert 0 < said < COPIES, said
        made = sorted(os.listdir(folders.output))
        assert len(made) == said, (len(made), said)
        desktop.wait_until(lambda: len(desk.items(work_list)) == COPIES - said, what="the converted entries to leave")
        desk.screenshot(os.path.join(args.artifacts, "deskWorkersRunTest.png"))
        desk.close(app)
        assert app.wait_exit() == 0, app.log()

        # The automatic run of the archives the desk got to, into a folder of
        # its own: the same lines (but the end line) and the same files.
        other = os.path.join(folders.work, "auto")
        os.makedirs(other)
        environment = {key: value for key, value in desk.env.items() if key not in ("DISPLAY", "WAYLAND_DISPLAY")}
        automatic = subprocess.run(
            [args.program, "--auto", "--lang=ja", "--jobs=2", f"--out={other}"] + names[:said],
            env=environment,
            cwd=folders.work,
            capture_output=True,
            timeout=120,
        )
        assert automatic.returncode == 0, automatic.stderr.decode()
        automatic_lines = automatic.stdout.decode().splitlines()
        assert automatic_lines[-1] == "全て終了しました", automatic_lines[-3:]
        shown = [line.replace(folders.output, other) for line in lines]
        assert shown[:-1] == automatic_lines[:-1], (shown[:6], automatic_lines[:6])
        assert sorted(os.listdir(other)) == made


if __name__ == "__main__":
    desktop.main(test, extra_arguments=[(("--samples",), {"required": True})])
