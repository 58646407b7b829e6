"""Folders of sample archives for the desktop tests and pictures: a work
folder holding archives/ (copies of the shipped samples, under the names
asked for) and an empty output folder, removed with everything in them
afterwards."""

import contextlib
import os
import shutil
import tempfile


@contextlib.contextmanager
def sample_folders(samples: str, copies: dict, output_name: str = "out", steady_name: str | None = None):
    """Yields (work, archives, output). copies maps a name in archives/ to
    the sample it is a copy of. With steady_name the work folder is
    <temporary folder>/<steady_name> when that is free: a short, steady path
    reads better in a picture."""
    steady = os.path.join(tempfile.gettempdir(), steady_name) if steady_name else None
    if steady and not os.path.exists(steady):
        os.makedirs(steady)
        work = steady
    else:
        work = tempfile.mkdtemp(prefix="tb-desktop-")
    try:
        archives = os.path.join(work, "archives")
        output = os.path.join(work, output_name)
        os.makedirs(archives)
        os.makedirs(output)
        for name, sample in copies.items():
            shutil.copy(os.path.join(samples, sample), os.path.join(archives, name))
        yield work, archives, output
    finally:
        shutil.rmtree(work, ignore_errors=True)
