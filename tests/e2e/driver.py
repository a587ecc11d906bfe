"""Drives the real installer under Wine from outside, as a user would.

Each scenario gets a Wine prefix of its own, copied from a template that is
made once per build, and its own wineserver; all scenarios share an Xvfb of
their own (tests/harness/wine-stop.sh ends it). Input goes through the X server
(xdotool: clicks and keys); what the programs show is read by window_probe.exe,
which lists the windows and controls of the desktop the way an accessibility
tool would. Disk and registry are read after the fact.
"""
import contextlib
import fcntl
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from datetime import datetime, timezone

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
import installed_product  # noqa: E402

WELCOME = "Welcome to Brimel Messenger"
MESSENGER_CLASS = "BrimelMessengerMainWindow"
SHELL_FOLDERS = "HKCU\\" + installed_product.names()["ShellFoldersKey"]
UNINSTALL_KEY = "HKLM\\" + installed_product.names()["UninstallKey"]


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


def wait_for(predicate, timeout, step=0.1):
    """The predicate's first true value within timeout seconds, else None."""
    end = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= end:
            return None
        time.sleep(step)


class Window:
    def __init__(self, fields):
        (_, self.handle, pid, visible, enabled, x, y, w, h, cx, cy, cw, ch, self.cls) = fields[:14]
        self.title = fields[14] if len(fields) > 14 else ""
        self.pid = int(pid)
        self.visible, self.enabled = visible == "1", enabled == "1"
        self.rect = tuple(int(v) for v in (x, y, w, h))
        self.client = tuple(int(v) for v in (cx, cy, cw, ch))
        self.controls = []

    def control(self, ident):
        return next((c for c in self.controls if c.id == ident), None)

    def focused(self):
        return next((c.id for c in self.controls if c.focused), None)

    def texts(self):
        return [c.text for c in self.controls]


class Control:
    def __init__(self, fields):
        (_, self.parent, ident, visible, enabled, focused, x, y, w, h, self.cls) = fields[:11]
        self.text = fields[11].replace("\\n", "\n").replace("\\t", "\t") if len(fields) > 11 else ""
        self.id = int(ident)
        self.visible, self.enabled, self.focused = visible == "1", enabled == "1", focused == "1"
        self.rect = tuple(int(v) for v in (x, y, w, h))


class Scenario:
    """One Wine prefix with its own wineserver, on the build's display."""

    def __init__(self, name, args):
        self.args = args
        self.root = os.environ["BRIMEL_WINE_ROOT"]
        self.arch = os.environ.get("BRIMEL_WINE_ARCH", "win32")
        self.loader = "/usr/lib/wine/wine64" if self.arch == "win64" else shutil.which("wine")
        self.dir = os.path.join(self.root, "e2e", name)
        self.prefix = os.path.join(self.dir, "prefix")
        self.setup = args.setup
        self.started = []
        display = self._start_display()
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all", WINEARCH=self.arch,
                        HOME=os.path.join(self.dir, "home"), DISPLAY=display, TZ="UTC",
                        WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d")
        # The programs' ANSI code page, in which their output is read.
        self.encoding = "latin-1"
        if self.arch == "win64":
            self.env["WINELOADER"] = self.loader
        self.env.pop("WINESERVER", None)
        self._make_prefix()

    # -- display, prefix and server ---------------------------------------------

    def _start_display(self):
        """The scenarios' own Xvfb, shared by all of them and ended by
        wine-stop.sh: input sent to it cannot reach the Win32 tests' windows."""
        folder = os.path.join(self.root, "e2e")
        os.makedirs(folder, exist_ok=True)
        pidfile, dispfile = os.path.join(folder, "xvfb.pid"), os.path.join(folder, "xvfb.display")
        with open(os.path.join(folder, ".display-lock"), "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            try:
                with open(pidfile) as f:
                    os.kill(int(f.read()), 0)
                with open(dispfile) as f:
                    return f.read().strip()
            except (OSError, ValueError):
                pass
            for n in range(191, 241):
                if os.path.exists("/tmp/.X11-unix/X%d" % n) or os.path.exists("/tmp/.X%d-lock" % n):
                    continue
                xvfb = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, start_new_session=True)
                if wait_for(lambda: os.path.exists("/tmp/.X11-unix/X%d" % n) or xvfb.poll() is not None, 10):
                    if xvfb.poll() is None:
                        with open(pidfile, "w") as f:
                            f.write(str(xvfb.pid))
                        with open(dispfile, "w") as f:
                            f.write(":%d" % n)
                        return ":%d" % n
                xvfb.kill()
        raise Failure("no free display for Xvfb")

    def _make_prefix(self):
        template = os.path.join(self.root, "e2e", "template")
        os.makedirs(os.path.join(self.root, "e2e", "home"), exist_ok=True)
        with open(os.path.join(self.root, "e2e", ".template-lock"), "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            if not os.path.exists(os.path.join(template, ".ready")):
                env = dict(self.env, WINEPREFIX=template, HOME=os.path.join(self.root, "e2e", "home"))
                made = subprocess.run([os.path.join(HERE, "..", "harness", "make-prefix.sh")], env=env,
                                      stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                if made.returncode != 0:
                    raise Failure("no Wine prefix could be made")
                open(os.path.join(template, ".ready"), "w").close()
        self.template = template
        self.reset()

    def reset(self):
        """A fresh copy of the template prefix, for the next case of a table."""
        if os.path.exists(self.prefix):
            self.close()
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(os.path.join(self.dir, "home"))
        # A prefix is mostly Wine's own libraries in the system folders:
        # those are linked, everything else is copied. A scenario that puts
        # a file of its own there removes the link first.
        subprocess.run(["cp", "-al", self.template, self.prefix], check=True)
        os.remove(os.path.join(self.prefix, ".ready"))
        shared = tuple(os.path.join(self.prefix, "drive_c", "windows", d) + os.sep for d in ("system32", "syswow64"))
        for folder, _, names in os.walk(self.prefix):
            if (folder + os.sep).startswith(shared):
                continue
            for name in names:
                path = os.path.join(folder, name)
                if not os.path.islink(path) and os.stat(path).st_nlink > 1:
                    os.remove(path)
                    shutil.copy2(os.path.join(self.template, os.path.relpath(path, self.prefix)), path)
        subprocess.run(["wineserver", "-p"], env=self.env, check=True, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def close(self):
        for p in self.started:
            if p.poll() is None:
                p.kill()
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        for p in self.started:
            try:
                p.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        self.started = []

    # -- programs --------------------------------------------------------------

    def wine(self, *args, timeout=60):
        """Runs a Windows program to its end; its output without CR.

        Output goes through a file, not a pipe: Wine's background processes
        start on first use and would inherit a pipe and keep it open."""
        with tempfile.TemporaryFile() as out:
            done = subprocess.run([self.loader, *args], env=self.env, stdout=out, stderr=subprocess.DEVNULL,
                                  stdin=subprocess.DEVNULL, timeout=timeout)
            out.seek(0)
            self.last_status = done.returncode
            return out.read().decode(self.encoding, "replace").replace("\r", "")

    def start(self, *args, cwd=None):
        """Starts a Windows program; cwd, a Unix folder, as a double click in it would."""
        process = subprocess.Popen([self.loader, *args], env=self.env, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, cwd=cwd)
        self.started.append(process)
        return process

    def start_setup(self, setup=None, cwd=None):
        self.setup_process = self.start(setup or self.setup, cwd=cwd)
        self.setup_started = time.monotonic()
        return self.setup_process

    def tool(self, name):
        return os.path.join(self.args.tools, name)

    def hold(self, windows_path, sharing="read"):
        """Another program holding the file open, until the scenario ends."""
        holder = self.start(self.tool("hold_file.exe"), windows_path, sharing)
        time.sleep(1.5)
        return holder

    # -- what is on screen -----------------------------------------------------

    def windows(self):
        found, current = [], {}
        for line in self.wine(self.tool("window_probe.exe")).splitlines():
            fields = line.split("\t")
            if fields[0] == "window" and len(fields) >= 14:
                w = Window(fields)
                found.append(w)
                current[w.handle] = w
            elif fields[0] == "control" and len(fields) >= 11 and fields[1] in current:
                current[fields[1]].controls.append(Control(fields))
        return found

    def parent(self, pid):
        """(pid, program file name) of the process that started process pid; no name once it ended."""
        found = {int(f[1]): (int(f[2]), f[3]) for f in (line.split("\t") for line in
                 self.wine(self.tool("window_probe.exe"), "processes").splitlines()) if f[0] == "process"}
        parent = found.get(pid, (0, ""))[0]
        return parent, found.get(parent, (0, None))[1]

    def use_virtual_desktop(self):
        """Every program opens in one Wine desktop at the screen's origin, of its size, whose shell
        serves the desktop's automation objects. The X server then sees only the desktop."""
        self.reg("add", r"HKCU\Software\Wine\Explorer", "/v", "Desktop", "/d", "brimel")
        self.reg("add", r"HKCU\Software\Wine\Explorer\Desktops", "/v", "brimel", "/d", "1024x768")

    def hang(self, exe, resume=False):
        """Stops this prefix's processes of the program exe (they answer nothing), or resumes them."""
        for pid in filter(str.isdigit, os.listdir("/proc")):
            with contextlib.suppress(OSError), open("/proc/%s/environ" % pid, "rb") as e, \
                    open("/proc/%s/cmdline" % pid, "rb") as c:
                mine = ("WINEPREFIX=%s" % self.prefix).encode() in e.read().split(b"\0")
                if mine and exe.encode() in c.read().lower():
                    os.kill(int(pid), signal.SIGCONT if resume else signal.SIGSTOP)

    def accessible(self, window, ident, act=False):
        """(role, state, name, default action, shortcut) of a control as an
        assistive tool reads it; with act, its default action is done instead,
        not waited for: the tool's last calls wait while the program is busy."""
        if act:
            return self.start(self.tool("accessible_probe.exe"), window.handle, str(ident), "do")
        out = self.wine(self.tool("accessible_probe.exe"), window.handle, str(ident))
        check(self.last_status == 0, "control %d: no accessible object, or its action failed" % ident)
        role, state, name, action, shortcut = (out.splitlines() or [""])[0].split("\t")
        return int(role), int(state, 16), name, action, shortcut

    def visible(self, title=None, cls=None, text=None):
        """The first visible top-level window that matches, else None."""
        for w in self.windows():
            if not w.visible or (title is not None and w.title != title) or (cls is not None and w.cls != cls):
                continue
            if text is not None and text not in w.texts():
                continue
            return w
        return None

    def wait_window(self, timeout=30, **match):
        return wait_for(lambda: self.visible(**match), timeout, step=0.2)

    def xwindows(self, title):
        """The X windows shown with this title (quick: no Wine process)."""
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title], env=self.env,
                              capture_output=True, text=True).stdout.split()

    def xwindow(self, title):
        found = self.xwindows(title)
        return found[0] if found else None

    # -- input, through the X server --------------------------------------------

    def click(self, window, x, y, repeat=1):
        """Clicks at client coordinates of a window found by window_probe."""
        cx, cy = window.client[0] + x, window.client[1] + y
        subprocess.run(["xdotool", "mousemove", str(cx), str(cy)], env=self.env, check=True)
        time.sleep(0.3)
        subprocess.run(["xdotool", "click", "--repeat", str(repeat), "--delay", "80", "1"], env=self.env,
                       check=True)

    def keys(self, window_title, *keys):
        x = self.xwindow(window_title)
        check(x, "no visible window '%s' to type into" % window_title)
        subprocess.run(["xdotool", "windowfocus", "--sync", x], env=self.env, check=True)
        for key in keys:
            subprocess.run(["xdotool", "key", key], env=self.env, check=True)
            time.sleep(0.25)

    def raise_window(self, title):
        """Brings a window to the top, as a click on its task-bar button would."""
        x = self.xwindow(title)
        check(x, "no visible window '%s' to raise" % title)
        subprocess.run(["xdotool", "windowraise", x], env=self.env, check=True)
        time.sleep(0.5)

    def screenshot(self, name):
        path = os.path.join(self.dir, name + ".png")
        subprocess.run(["import", "-window", "root", path], env=self.env, capture_output=True)
        return path

    # -- disk and registry -----------------------------------------------------

    def unix(self, windows_path):
        """The Unix path of C:\\... inside this prefix."""
        check(windows_path[1:3] == ":\\", "not a drive path: " + windows_path)
        drive = os.path.realpath(os.path.join(self.prefix, "dosdevices", windows_path[0].lower() + ":"))
        return os.path.join(drive, *windows_path[3:].split("\\")) if windows_path[3:] else drive

    def reg_values(self, key):
        """The values of a key: {name: (type, data)}; None when the key is missing."""
        out = self.wine("reg", "query", key)
        if self.last_status != 0:
            return None
        values = {}
        for line in out.splitlines():
            if line.startswith("    ") and "    REG_" in line:
                name, kind, *data = line[4:].split("    ", 2)
                values[name] = (kind, data[0] if data else "")
        return values

    def reg_value(self, key, name):
        values = self.reg_values(key) or {}
        return values.get(name, (None, None))[1]

    def reg(self, *args):
        self.wine("reg", *args, "/f")
        check(self.last_status == 0, "reg %s failed" % " ".join(args))

    def program_files(self):
        return self.reg_value(r"HKLM\Software\Microsoft\Windows\CurrentVersion", "ProgramFilesDir")

    def shell_folder(self, name):
        return self.reg_value(SHELL_FOLDERS, name)

    def windows_folder(self):
        return os.path.join(self.prefix, "drive_c", "windows")

    # -- waiting for the installer ----------------------------------------------

    def setup_exit(self, timeout):
        try:
            return self.setup_process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None


def utc_stamp(date, hms):
    """The file time a record's stored date and time give under TZ=UTC."""
    d, t = "%08d" % date, "%06d" % hms
    moment = datetime(int(d[:4]), int(d[4:6]), int(d[6:]), int(t[:2]), int(t[2:4]), int(t[4:]),
                      tzinfo=timezone.utc)
    return int(moment.timestamp())


def run(scenarios, argv):
    """Runs the named scenario: exit 0 when it passed."""
    import argparse
    parser = argparse.ArgumentParser()
    parser.add_argument("name", choices=sorted(scenarios))
    parser.add_argument("--setup", required=True, help="BrimelSetup.exe")
    parser.add_argument("--tools", required=True, help="folder of window_probe.exe and hold_file.exe")
    parser.add_argument("--product", required=True, help="folder of the built product")
    parser.add_argument("--probe-dlls", required=True, help="folder of the rich edit stand-ins")
    parser.add_argument("--marker-dll", required=True, help="a DLL that leaves a marker file when loaded")
    parser.add_argument("--release", help="folder of the release test's build (release_build.py)")
    args = parser.parse_args(argv)
    scenario = Scenario(args.name, args)
    try:
        scenarios[args.name](scenario)
    except Failure as failure:
        print("FAIL: %s" % failure)
        print("screenshot: %s" % scenario.screenshot("failure"))
        print("prefix kept: %s" % scenario.prefix)
        scenario.close()
        return 1
    scenario.close()
    shutil.rmtree(scenario.dir, ignore_errors=True)
    print("passed")
    return 0
