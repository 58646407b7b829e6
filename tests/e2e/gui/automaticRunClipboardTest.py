#!/usr/bin/env python3
"""The history an automatic run copies (AutoLog) outlives the run, as a
person pastes it after the terminal prompt has come back: without a
clipboard manager a small process of the program's keeps it until something
else is copied; with one, the manager gets it and nothing of the program
stays. Exit status 0 passed, 1 failed, 77 skipped."""

import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop  # noqa: E402
import deskSettings  # noqa: E402

MANAGER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "clipboardManager.py")


def clipboard(desk) -> str:
    read = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=desk.env, capture_output=True, timeout=10)
    return read.stdout.decode() if read.returncode == 0 else f"(nothing: {read.stderr.decode().strip()})"


def keepers(desk) -> list[int]:
    """The program's clipboard keepers on this desktop."""
    found = []
    for pid in desktop._processes_owned_by(desk.owner):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as command:
                if b"--keep-clipboard" in command.read().split(b"\0"):
                    found.append(pid)
        except OSError:
            pass
    return found


def automatic_run(desk, args, folder) -> str:
    run = subprocess.run(
        [args.program, "--auto", "--jobs=1", f"--out={folder}", os.path.join(args.samples, "hello.lzh")],
        env=desk.env, cwd=folder, capture_output=True, timeout=60)
    assert run.returncode == 0, run.stderr.decode()
    # The log is the history, every line ended by CR LF.
    return run.stdout.decode().replace("\n", "\r\n")


def test(args):
    for tool in ("xclip",):
        if shutil.which(tool) is None:
            print(f"SKIP: {tool} is missing")
            sys.exit(desktop.SKIPPED)
    with desktop.Desktop(artifacts=args.artifacts) as desk:
        deskSettings.write(desk.config_home, {"AutoLog": "True"})
        folder = os.path.join(desk.folder, "out")
        os.makedirs(folder)

        # No clipboard manager: the program's keeper serves the log.
        log = automatic_run(desk, args, folder)
        assert clipboard(desk) == log, (clipboard(desk), log)
        assert len(keepers(desk)) == 1, keepers(desk)
        # Something else copied: the keeper goes.
        subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=b"else", env=desk.env, check=True)
        desktop.wait_until(lambda: not keepers(desk), what="the keeper to end once something else is copied")
        assert clipboard(desk) == "else"

        # A clipboard manager: it takes the log, nothing of the program stays.
        manager = subprocess.Popen([sys.executable, MANAGER], env=desk.env, stdout=subprocess.PIPE)
        try:
            assert manager.stdout.readline().strip() == b"ready"
            log = automatic_run(desk, args, folder)
            desktop.wait_until(lambda: not keepers(desk), what="the keeper to hand the log to the manager")
            assert clipboard(desk) == log, (clipboard(desk), log)
        finally:
            manager.kill()
            manager.wait()


if __name__ == "__main__":
    desktop.main(test, extra_arguments=[(("--samples",), {"required": True})])
