"""A private desktop for driving the real program the way a person (or a
screen reader) does: an X server without a screen, a window manager, the
session and accessibility buses, and the program with Qt's accessibility
bridge on. Tests find windows and controls by role and name through AT-SPI,
press buttons, read lists, close the desk through the window manager, and
take screenshots from the X server's frame buffer.

    import desktop
    def test(args):
        with desktop.Desktop() as desk:
            app = desk.launch([args.program])
            desk.press(app.find(role="push button", name="ＤＯＳ"))
    desktop.main(test)

One Desktop per Python process: libatspi binds to one accessibility bus for
the life of the process. Runs as root on a machine with no display; every
process it starts dies with it. Needs Debian's /usr/bin/python3 (python3-gi
is installed for that interpreter); main() switches to it when another
python3 comes first on PATH.
"""

from __future__ import annotations

import argparse
import ctypes
import os
import re
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import traceback
import uuid
import zlib

SKIPPED = 77  # CTest's SKIP_RETURN_CODE for these tests
DEBIAN_PYTHON = "/usr/bin/python3"
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
# Every process a Desktop starts carries this variable, so that teardown can
# find the ones the buses started on their own.
OWNER_VARIABLE = "TB_DESKTOP_OWNER"
TOOLS = {"Xvfb": "xvfb", "dbus-daemon": "dbus-daemon", "openbox": "openbox", "wmctrl": "wmctrl"}

Atspi = None  # gi.repository modules, imported once the environment is set
Gio = None
GLib = None

_libc = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1
_PR_SET_CHILD_SUBREAPER = 36


class DesktopError(AssertionError):
    pass


# ----------------------------------------------------------------- entry point
def missing_tools() -> list[str]:
    missing = [f"{tool} (package {package})" for tool, package in TOOLS.items() if shutil.which(tool) is None]
    if not os.access(BUS_LAUNCHER, os.X_OK):
        missing.append(f"{BUS_LAUNCHER} (package at-spi2-core)")
    try:
        import gi

        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi as _  # noqa: F401
    except (ImportError, ValueError) as error:
        missing.append(f"Atspi 2.0 for Python ({error}; packages python3-gi gir1.2-atspi-2.0)")
    return missing


def _use_debian_python() -> None:
    try:
        import gi  # noqa: F401
    except ImportError:
        if os.path.realpath(sys.executable) != os.path.realpath(DEBIAN_PYTHON) and os.access(DEBIAN_PYTHON, os.X_OK):
            os.execv(DEBIAN_PYTHON, [DEBIAN_PYTHON] + sys.argv)


def main(test, budget_seconds: float = 150.0, extra_arguments=()) -> None:
    """Runs test(args) and exits 0 (passed), 1 (failed) or 77 (a tool is
    missing). args.program is the program under test; args.artifacts the
    folder for screenshots and the logs of a failure."""
    _use_debian_python()
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--artifacts", default=os.getcwd())
    for flags, options in extra_arguments:
        parser.add_argument(*flags, **options)
    args = parser.parse_args()
    missing = missing_tools()
    if missing:
        print("SKIP: missing for the desktop tests: " + "; ".join(missing), flush=True)
        sys.exit(SKIPPED)
    if not os.access(args.program, os.X_OK):
        print(f"FAIL: no program at {args.program}", flush=True)
        sys.exit(1)
    os.makedirs(args.artifacts, exist_ok=True)

    def out_of_time(*_):
        raise TimeoutError(f"the test took more than {budget_seconds:.0f} s")

    def stopped(signum, _):
        # CTest's timeout or a kill: unwind, so the desktop is torn down.
        raise SystemExit(128 + signum)

    signal.signal(signal.SIGALRM, out_of_time)
    signal.signal(signal.SIGTERM, stopped)
    signal.signal(signal.SIGHUP, stopped)
    signal.setitimer(signal.ITIMER_REAL, budget_seconds)
    started = time.monotonic()
    try:
        test(args)
    except BaseException as error:  # noqa: BLE001 - every failure is reported
        signal.setitimer(signal.ITIMER_REAL, 0)
        if isinstance(error, SystemExit) and error.code in (0, None):
            raise
        traceback.print_exc()
        print(f"FAIL after {time.monotonic() - started:.1f} s: {error!r}", flush=True)
        sys.exit(1)
    signal.setitimer(signal.ITIMER_REAL, 0)
    print(f"PASS in {time.monotonic() - started:.1f} s", flush=True)
    sys.exit(0)


def workers_of(parent: int) -> list[int]:
    """The worker processes the program `parent` started."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/cmdline", "rb") as command:
                words = command.read().split(b"\0")
        except OSError:
            continue
        if words[:2] == [b"tollbrook2-worker", str(parent).encode()]:
            found.append(int(entry))
    return found


# ----------------------------------------------------------------- waiting
def wait_until(condition, timeout: float = 10.0, interval: float = 0.05, what: str = "a condition"):
    """Polls condition() until it gives something true and returns that. An
    exception counts as "not yet": objects come and go while windows change."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = condition()
            if value:
                return value
        except Exception as error:  # noqa: BLE001
            last_error = error
        if time.monotonic() >= deadline:
            raise DesktopError(f"waited {timeout} s for {what}" + (f" (last error: {last_error})" if last_error else ""))
        time.sleep(interval)


# ----------------------------------------------------------------- processes
def _dies_with_parent():
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL, 0, 0, 0)


def _alive(pid: int) -> bool:
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
    except (OSError, IndexError):
        return False


def _processes_owned_by(owner: str) -> list[int]:
    marker = f"{OWNER_VARIABLE}={owner}".encode() + b"\0"
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) == os.getpid():
            continue
        try:
            with open(f"/proc/{entry}/environ", "rb") as environ:
                if marker in environ.read() + b"\0":
                    found.append(int(entry))
        except OSError:
            pass
    return found


def _remove_abandoned_folders():
    """Folders of desktops whose test process was killed before its teardown."""
    for name in os.listdir(tempfile.gettempdir()):
        match = re.fullmatch(r"tb-desktop-(\d+)-\w+", name)
        if match and int(match.group(1)) != os.getpid() and not _alive(int(match.group(1))):
            shutil.rmtree(os.path.join(tempfile.gettempdir(), name), ignore_errors=True)


# ----------------------------------------------------------------- screenshots
def xwd_to_png(xwd: bytes, region=None) -> bytes:
    """The frame buffer file of Xvfb (XWD, 32 bits a pixel) as a PNG; region
    (left, top, width, height) cuts a part of the screen out."""
    header = struct.unpack(">25I", xwd[:100])
    header_size, pixmap_format, width, height = header[0], header[2], header[4], header[5]
    byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
    masks, colour_count = header[14:17], header[19]
    if pixmap_format != 2 or bits_per_pixel != 32:
        raise DesktopError(f"frame buffer format {pixmap_format} with {bits_per_pixel} bits a pixel")
    pixels = memoryview(xwd)[header_size + 12 * colour_count :]
    offsets = []
    for mask in masks:
        byte = ((mask & -mask).bit_length() - 1) // 8
        offsets.append(byte if byte_order == 0 else 3 - byte)
    left, top = 0, 0
    if region:
        left, top = max(0, region[0]), max(0, region[1])
        width, height = min(region[2], width - left), min(region[3], height - top)
    rows = bytearray()
    row = bytearray(width * 3)
    for y in range(top, top + height):
        start = y * bytes_per_line + left * 4
        line = bytes(pixels[start : start + width * 4])
        for channel, offset in enumerate(offsets):
            row[channel::3] = line[offset::4]
        rows += b"\0" + row

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
        + chunk(b"IDAT", zlib.compress(bytes(rows), 6))
        + chunk(b"IEND", b"")
    )


# ----------------------------------------------------------------- the accessible tree
def _matches(pattern, value: str) -> bool:
    if pattern is None:
        return True
    if isinstance(pattern, re.Pattern):
        return pattern.search(value or "") is not None
    if callable(pattern):
        return bool(pattern(value))
    return value == pattern


def states(node) -> set[str]:
    return {state.value_nick for state in node.get_state_set().get_states()}


def children(node) -> list:
    return [child for i in range(node.get_child_count()) if (child := node.get_child_at_index(i)) is not None]


def walk(root, depth_limit: int = 40):
    pending = [(root, 0)]
    while pending:
        node, depth = pending.pop()
        yield node
        if depth < depth_limit:
            try:
                pending.extend((child, depth + 1) for child in reversed(children(node)))
            except Exception:  # noqa: BLE001 - the subtree went away
                continue


def find_now(root, role=None, name=None, description=None, state=(), where=None) -> list:
    """Every node below root (depth first) of this role ("push button",
    "list", "list item", "frame", "menu item", ...) whose name and
    description match (text, compiled pattern or predicate) and that has all
    of the given states."""
    found = []
    for node in walk(root):
        try:
            if role is not None and node.get_role_name() != role:
                continue
            if not _matches(name, node.get_name()):
                continue
            if description is not None and not _matches(description, node.get_description()):
                continue
            if state and not set(state) <= states(node):
                continue
            if where is not None and not where(node):
                continue
            found.append(node)
        except Exception:  # noqa: BLE001
            continue
    return found


def outline(root, depth_limit: int = 30) -> str:
    """The tree below root as indented text, for failure messages."""
    lines = []

    def visit(node, depth):
        try:
            description = node.get_description()
            shown = sorted(states(node) & {"showing", "focused", "selected", "active", "enabled"})
            lines.append(
                "  " * depth
                + f"[{node.get_role_name()}] {node.get_name()!r}"
                + (f" desc={description!r}" if description else "")
                + " {" + ",".join(shown) + "}"
            )
            if depth < depth_limit:
                for child in children(node):
                    visit(child, depth + 1)
        except Exception as error:  # noqa: BLE001
            lines.append("  " * depth + f"<gone: {error}>")

    visit(root, 0)
    return "\n".join(lines)


class Program:
    """A started program: its process and its node in the accessible tree."""

    def __init__(self, process: subprocess.Popen, log_path: str):
        self.process, self.log_path = process, log_path
        self.node = None

    @property
    def pid(self) -> int:
        return self.process.pid

    def log(self) -> str:
        try:
            with open(self.log_path, encoding="utf-8", errors="replace") as log:
                return log.read()
        except OSError:
            return ""

    def find(self, role=None, name=None, description=None, state=(), where=None, timeout: float = 10.0, within=None):
        """Waits for the first match in any of the program's windows (MDI
        children, dialogs and popup menus included)."""
        root = within or self.node
        what = f"role={role!r} name={name!r} description={description!r} state={tuple(state)}"

        def look():
            if self.process.poll() is not None:
                raise DesktopError(f"the program ended ({self.process.returncode}) while waiting for {what}\n{self.log()}")
            found = find_now(root, role, name, description, state, where)
            return found[0] if found else None

        try:
            return wait_until(look, timeout, what=what)
        except DesktopError as error:
            if "the program ended" in str(error):
                raise
            raise DesktopError(f"{error}\n--- accessible tree ---\n{outline(root)}") from None

    def find_all(self, role=None, name=None, description=None, state=(), where=None, within=None) -> list:
        return find_now(within or self.node, role, name, description, state, where)

    def window(self, title, timeout: float = 10.0):
        """A top-level window or an MDI child window by its title."""
        return self.find(name=title, timeout=timeout, where=lambda n: n.get_role_name() in ("frame", "dialog", "window"))

    def wait_exit(self, timeout: float = 15.0) -> int:
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise DesktopError(f"the program did not end within {timeout} s") from None


class Desktop:
    """Xvfb, the buses, openbox and the programs started in it, torn down on
    leaving the with block (logs and a screenshot kept when it failed)."""

    def __init__(self, screen: str = "1280x800x24", artifacts: str | None = None):
        self.screen = screen
        self.artifacts = artifacts or os.getcwd()
        self.owner = f"{os.getpid()}-{uuid.uuid4().hex}"
        self.folder = None
        self.env: dict[str, str] = {}
        self.frame_buffer = None
        self._processes: list[tuple[str, subprocess.Popen]] = []
        self._bus = None

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self._stop()
            raise
        return self

    def __exit__(self, kind, error, trace):
        if kind is not None and self.folder:
            self._keep_evidence()
        self._stop()
        return False

    # -------------------------------------------------------------- start and stop
    def _spawn(self, label: str, argv, env=None, own_group=False, **options) -> subprocess.Popen:
        with open(os.path.join(self.folder, f"{label}.log"), "wb") as log:
            process = subprocess.Popen(
                argv,
                env=env or self.env,
                stdin=subprocess.DEVNULL,
                stdout=options.pop("stdout", log),
                stderr=log,
                preexec_fn=_dies_with_parent,
                start_new_session=own_group,
                cwd=options.pop("cwd", self.folder),
                **options,
            )
        self._processes.append((label, process))
        return process

    def _read_line(self, fd, timeout, what, process) -> str:
        data = b""
        deadline = time.monotonic() + timeout
        while not data.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or process.poll() is not None:
                raise DesktopError(f"no {what} ({process.poll()}); logs in {self.folder}")
            ready, _, _ = select.select([fd], [], [], min(left, 0.5))
            if ready:
                piece = os.read(fd, 4096)
                if not piece:
                    raise DesktopError(f"end of output while reading {what}")
                data += piece
        return data.decode().strip()

    def _start(self):
        global Atspi, Gio, GLib
        # Services the buses start on their own become our children when
        # their parent exits, so they can be waited for.
        _libc.prctl(_PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
        _remove_abandoned_folders()
        self.folder = tempfile.mkdtemp(prefix=f"tb-desktop-{os.getpid()}-")
        for sub in ("run", "frame", "config", "cache", "data", "home"):
            os.mkdir(os.path.join(self.folder, sub), 0o700)
        self.env = {key: value for key, value in os.environ.items() if key in ("PATH", "TERM", "TZ", "LD_LIBRARY_PATH")}
        self.env.setdefault("PATH", "/usr/sbin:/usr/bin:/sbin:/bin")
        self.env.update(
            {
                OWNER_VARIABLE: self.owner,
                "HOME": os.path.join(self.folder, "home"),
                "XDG_RUNTIME_DIR": os.path.join(self.folder, "run"),
                "XDG_CONFIG_HOME": os.path.join(self.folder, "config"),
                "XDG_CACHE_HOME": os.path.join(self.folder, "cache"),
                "XDG_DATA_HOME": os.path.join(self.folder, "data"),
                "LANG": "C.UTF-8",
                "LC_ALL": "C.UTF-8",
                "GSETTINGS_BACKEND": "memory",
            }
        )

        # The X server on a free display; -displayfd says which once it is ready.
        read_end, write_end = os.pipe()
        server = self._spawn(
            "xvfb",
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen, "-nolisten", "tcp",
             "-fbdir", os.path.join(self.folder, "frame"), "-dpi", "96"],
            pass_fds=(write_end,),
        )
        os.close(write_end)
        display = self._read_line(read_end, 15, "display number", server)
        os.close(read_end)
        self.env["DISPLAY"] = f":{int(display)}"
        self.frame_buffer = os.path.join(self.folder, "frame", "Xvfb_screen0")

        # The session bus, in a process group of its own with what it starts.
        bus = self._spawn(
            "dbus",
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
            stdout=subprocess.PIPE,
            own_group=True,
        )
        address = self._read_line(bus.stdout.fileno(), 10, "session bus address", bus)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

        # Asking for the accessibility bus starts it; switching accessibility
        # on is what a screen reader does.
        os.environ.update({key: value for key, value in self.env.items() if key not in ("HOME", "PATH")})
        import gi

        gi.require_version("Atspi", "2.0")
        from gi.repository import Gio as gio, GLib as glib

        Gio, GLib = gio, glib
        flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
        session = Gio.DBusConnection.new_for_address_sync(address, flags, None, None)
        accessibility = session.call_sync(
            "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None, GLib.VariantType("(s)"),
            Gio.DBusCallFlags.NONE, 20000, None,
        ).unpack()[0]
        session.call_sync(
            "org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
            GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
            None, Gio.DBusCallFlags.NONE, 10000, None,
        )
        session.close_sync(None)
        os.environ["AT_SPI_BUS_ADDRESS"] = accessibility
        os.environ["ATSPI_NO_CACHE"] = "1"  # names and states are read fresh every time
        self._bus = Gio.DBusConnection.new_for_address_sync(accessibility, flags, None, None)
        from gi.repository import Atspi as atspi

        Atspi = atspi
        if Atspi.init() not in (0, 1):
            raise DesktopError("Atspi.init failed")
        Atspi.set_timeout(5000, 15000)
        wait_until(lambda: Atspi.get_desktop(0).get_role_name() == "desktop frame", 10, what="the AT-SPI registry")

        self._spawn("openbox", ["openbox", "--sm-disable"])
        wait_until(
            lambda: subprocess.run(["wmctrl", "-m"], env=self.env, capture_output=True).returncode == 0,
            15,
            what="the window manager",
        )

    def _keep_evidence(self):
        try:
            kept = os.path.join(self.artifacts, f"desktop-failure-{os.getpid()}")
            os.makedirs(kept, exist_ok=True)
            for label, _ in self._processes:
                log = os.path.join(self.folder, f"{label}.log")
                if os.path.exists(log) and os.path.getsize(log):
                    shutil.copy(log, kept)
                    with open(log, errors="replace") as text:
                        print(f"--- {label}.log (end) ---\n{text.read()[-2000:]}", flush=True)
            if self.frame_buffer and os.path.exists(self.frame_buffer):
                self.screenshot(os.path.join(kept, "failure.png"), settle=False)
            print(f"logs and failure.png kept in {kept}", flush=True)
        except Exception as error:  # noqa: BLE001
            print(f"(could not keep the evidence: {error})", flush=True)

    def _stop(self):
        if self._bus is not None:
            try:
                self._bus.close_sync(None)
            except Exception:  # noqa: BLE001
                pass
            self._bus = None
        # Last started, first stopped: the X server goes last so nobody
        # loses its display while still running.
        for label, process in reversed(self._processes):
            if process.poll() is None:
                try:
                    process.terminate()
                    process.wait(3)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait(2)
            if label == "dbus":
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except (ProcessLookupError, PermissionError):
                    pass
            if process.stdout:
                process.stdout.close()
        for pid in _processes_owned_by(self.owner):
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        self._reap(time.monotonic() + 2)
        self._processes.clear()
        if self.folder:
            shutil.rmtree(self.folder, ignore_errors=True)
            self.folder = None

    def _reap(self, deadline):
        known = {process.pid for _, process in self._processes}
        while True:
            orphans = []
            for entry in os.listdir("/proc"):
                if not entry.isdigit() or int(entry) in known:
                    continue
                try:
                    with open(f"/proc/{entry}/stat") as stat:
                        if int(stat.read().rsplit(")", 1)[1].split()[1]) == os.getpid():
                            orphans.append(int(entry))
                except (OSError, IndexError, ValueError):
                    continue
            for pid in orphans:
                try:
                    os.waitpid(pid, os.WNOHANG)
                except ChildProcessError:
                    pass
            if not orphans or time.monotonic() > deadline:
                return
            time.sleep(0.02)

    # -------------------------------------------------------------- programs
    @property
    def config_home(self) -> str:
        return self.env["XDG_CONFIG_HOME"]

    def launch(self, argv, env=None, cwd=None, timeout: float = 30.0, title: str | None = None) -> Program:
        """Starts a program with the accessibility bridge on and waits until
        it shows a window (the one with this title, if given) that the
        window manager has taken over."""
        environment = dict(self.env)
        environment.update({"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_QPA_PLATFORM": "xcb"})
        environment.update(env or {})
        argv = [os.path.abspath(argv[0])] + list(argv[1:])
        label = f"program{sum(1 for name, _ in self._processes if name.startswith('program'))}"
        process = self._spawn(label, argv, env=environment, cwd=cwd or self.folder)
        program = Program(process, os.path.join(self.folder, f"{label}.log"))

        def shown():
            if process.poll() is not None:
                raise DesktopError(f"{argv[0]} ended at once ({process.returncode})\n{program.log()}")
            for node in children(Atspi.get_desktop(0)):
                try:
                    if node.get_process_id() == process.pid and any(
                        "showing" in states(window) and (title is None or window.get_name() == title)
                        for window in children(node)
                    ):
                        return node
                except Exception:  # noqa: BLE001
                    continue
            return None

        try:
            program.node = wait_until(shown, timeout, what=f"a window of {argv[0]}")
        except DesktopError as error:
            if "ended at once" in str(error):
                raise
            raise DesktopError(f"{error}\n{program.log()}") from None
        wait_until(lambda: any(pid == process.pid for _, pid, _ in self.windows()), timeout, what="the window manager")
        return program

    # -------------------------------------------------------------- acting
    def _action_index(self, node, names) -> int:
        available = [node.get_action_name(i) for i in range(node.get_n_actions())]
        for index, name in enumerate(available):
            if name.lower() in (wanted.lower() for wanted in names):
                return index
        raise DesktopError(f"{node.get_role_name()} {node.get_name()!r} offers {available}, none of {names}")

    def act(self, node, *names) -> None:
        """Starts an action without waiting for its end: Qt runs an action
        inside the bus call, so one that opens a modal dialog (or starts a
        run) would hold the answer back until it is over."""
        message = Gio.DBusMessage.new_method_call(node.app.bus_name, node.path, "org.a11y.atspi.Action", "DoAction")
        message.set_body(GLib.Variant("(i)", (self._action_index(node, names),)))
        message.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED)
        self._bus.send_message(message, Gio.DBusSendMessageFlags.NONE)
        self._bus.flush_sync(None)

    def press(self, button, timeout: float = 5.0) -> None:
        """Presses a button. Qt's press is an animated click: the click comes
        about 100 ms later, and two presses inside that time make one click,
        so this waits until the button is up again."""
        button.do_action(self._action_index(button, ("Press", "Click")))
        wait_until(lambda: "pressed" not in states(button), timeout, interval=0.02, what="the button to come up")

    def choose(self, program: Program, path) -> None:
        """Opens each menu of path and triggers its last item, for example
        ["(L)og", "Log(C)opy"]; captions as a screen reader reads them (no
        ampersand)."""
        parent = program.node
        for depth, caption in enumerate(path):
            item = program.find(
                name=caption,
                state=("showing",) if depth else (),
                within=parent,
                where=lambda n: n.get_role_name() in ("menu item", "menu"),
            )
            if depth < len(path) - 1:
                self.act(item, "ShowMenu", "Open", "Press", "Click")
                parent = item
            else:
                self.act(item, "Press", "Click", "Activate")

    def select_rows(self, view, rows) -> None:
        """Selects these rows of a list view (and only these) through its
        table interface."""
        for row in view.get_selected_rows() or []:
            if row not in rows:
                view.remove_row_selection(row)
        for row in rows:
            if not view.add_row_selection(row):
                raise DesktopError(f"row {row} cannot be selected")

    @staticmethod
    def items(view) -> list[str]:
        return [node.get_name() for node in children(view) if node.get_role_name() in ("list item", "table cell")]

    @staticmethod
    def selected_items(view) -> list[str]:
        return [node.get_name() for node in children(view) if "selected" in states(node)]

    # -------------------------------------------------------------- the window manager
    def windows(self) -> list[tuple[str, int, str]]:
        """(window id, process id, title) of every window the window manager holds."""
        listing = subprocess.run(
            ["wmctrl", "-lp"], env=self.env, capture_output=True, text=True, encoding="utf-8", errors="replace"
        ).stdout
        found = []
        for line in listing.splitlines():
            parts = line.split(None, 4)
            if len(parts) >= 4:
                found.append((parts[0], int(parts[2]), parts[4] if len(parts) == 5 else ""))
        return found

    def close(self, program: Program, title=None, timeout: float = 10.0) -> None:
        """Closes the program's window as its title bar's close button does
        (the window manager sends WM_DELETE_WINDOW)."""
        window = wait_until(
            lambda: next((wid for wid, pid, t in self.windows() if pid == program.pid and _matches(title, t)), None),
            timeout,
            what=f"the window of process {program.pid}",
        )
        subprocess.run(["wmctrl", "-i", "-c", window], env=self.env, check=True)

    @staticmethod
    def park_pointer(left: int = 0, top: int = 0) -> None:
        """Moves the mouse pointer out of the way (of a screenshot)."""
        Atspi.generate_mouse_event(left, top, "abs")

    @staticmethod
    def extents(node) -> tuple[int, int, int, int]:
        """Where a window or control is on the screen: left, top, width, height
        (a top-level window without the window manager's decorations)."""
        box = node.get_extents(Atspi.CoordType.SCREEN)
        return (box.x, box.y, box.width, box.height)

    # -------------------------------------------------------------- screenshots
    def screenshot(self, png_path: str, settle: bool = True, timeout: float = 3.0, region=None) -> str:
        """Writes the screen (or the region (left, top, width, height) of it)
        as a PNG; with settle, once two frames 50 ms apart are the same (the
        painting is done)."""

        def frame():
            with open(self.frame_buffer, "rb") as buffer:
                return buffer.read()

        data = frame()
        deadline = time.monotonic() + timeout
        while settle and time.monotonic() < deadline:
            time.sleep(0.05)
            newer = frame()
            if newer == data:
                break
            data = newer
        os.makedirs(os.path.dirname(os.path.abspath(png_path)), exist_ok=True)
        with open(png_path, "wb") as png:
            png.write(xwd_to_png(data, region))
        return png_path
