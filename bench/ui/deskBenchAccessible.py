#!/usr/bin/env python3
"""The desk benchmark as a screen-reader user's desk runs: on an X server
(Xvfb) with a window manager, Qt's accessibility bridge on, and a client on
the accessibility bus that listens to the events a screen reader follows
(focus, states, names, children, selections, text), so that the bridge sends
every one of them. Arguments after --program are passed to deskBench, e.g.

    bench/ui/deskBenchAccessible.py --program build/bin/deskBench \\
        --benchmark_filter=BM_InteractiveRun/1000/2

Exit status: deskBench's, or 77 when a tool of the private desktop is
missing."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e", "gui"))
import desktop  # noqa: E402

# What Orca registers for, the events that reach a screen reader.
SCREEN_READER_EVENTS = (
    "focus:",
    "object:state-changed",
    "object:property-change",
    "object:children-changed",
    "object:selection-changed",
    "object:active-descendant-changed",
    "object:text-changed",
    "object:text-caret-moved",
    "object:value-changed",
    "window:activate",
)


def main() -> int:
    desktop._use_debian_python()
    if "--program" not in sys.argv[1:-1]:
        print(__doc__, file=sys.stderr)
        return 2
    at = sys.argv.index("--program")
    program = os.path.abspath(sys.argv[at + 1])
    passed_on = sys.argv[1:at] + sys.argv[at + 2 :]
    missing = desktop.missing_tools()
    if missing:
        print("SKIP: missing for the private desktop: " + "; ".join(missing), flush=True)
        return desktop.SKIPPED
    with desktop.Desktop() as desk:
        heard = [0]

        def hear(_event):
            heard[0] += 1

        listener = desktop.Atspi.EventListener.new(hear)
        for event in SCREEN_READER_EVENTS:
            listener.register(event)
        environment = dict(desk.env)
        environment.update({"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_QPA_PLATFORM": "xcb"})
        bench = subprocess.Popen([program] + passed_on, env=environment)
        # The events are taken as they come, as a screen reader takes them;
        # the loop wakes up now and then to see whether the benchmark ended.
        context = desktop.GLib.MainContext.default()
        desktop.GLib.timeout_add(100, lambda: True)
        while bench.poll() is None:
            context.iteration(True)
        print(f"{heard[0]} accessibility events heard", flush=True)
        return bench.returncode


if __name__ == "__main__":
    sys.exit(main())
