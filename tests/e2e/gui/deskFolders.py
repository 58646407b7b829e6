"""The folders a desktop test works in: a temporary folder with archives/
(copies of the sample archives under the names a test gives them) and an
empty out/, removed afterwards with everything in it."""

import contextlib
import os
import shutil
import tempfile
from dataclasses import dataclass


@dataclass
class Folders:
    work: str  # the program's current folder
    archives: str
    output: str

    def archive(self, name: str) -> str:
        return os.path.join(self.archives, name)


@contextlib.contextmanager
def archives_and_output(samples: str, copies: dict, prefix: str = "tb-desk-", work: str | None = None):
    """copies maps each archive name to the sample file it is a copy of.
    work, when given and not there yet, is the folder to use (a steady
    name); it is removed afterwards all the same."""
    if work is None or os.path.exists(work):
        work = tempfile.mkdtemp(prefix=prefix)
    else:
        os.makedirs(work)
    try:
        folders = Folders(work, os.path.join(work, "archives"), os.path.join(work, "out"))
        os.makedirs(folders.archives)
        os.makedirs(folders.output)
        for name, sample in copies.items():
            shutil.copy(os.path.join(samples, sample), folders.archive(name))
        yield folders
    finally:
        shutil.rmtree(work, ignore_errors=True)


WORK_LIST = "このファイル名が自己解凍作成の対象となります"


def launch_with_work_list(desk, program: str, folders: Folders, names: list):
    """Starts the program on desk with these folders stored as its input and
    output folders and the archives named on its command line, and waits
    until they all wait in the work list. Gives the program and the work
    list's node."""
    import desktop
    import deskSettings

    deskSettings.write(desk.config_home, {"Dir_In": folders.archives, "Dir_Out": folders.output})
    app = desk.launch([program] + names, cwd=folders.work, title="Tollbrook2 for Win32")
    work_list = app.find(role="list", name=WORK_LIST)
    desktop.wait_until(lambda: len(desk.items(work_list)) == len(names), what="the command-line archives")
    return app, work_list
