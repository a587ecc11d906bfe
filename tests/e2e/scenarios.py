#!/usr/bin/env python3
"""End-to-end scenarios: the real BrimelSetup.exe in a prepared Wine prefix,
driven from outside, with disk, registry, shortcuts and processes checked
afterwards.

usage: scenarios.py NAME --setup BrimelSetup.exe --tools DIR --product DIR --probe-dlls DIR
"""
import contextlib
import os
import re
import shutil
import subprocess
import sys
import threading
import time
import xml.etree.ElementTree as ET

from pe_records import damaged, find_record, replaced
from release_build import build_texts
from driver import (MESSENGER_CLASS, SHELL_FOLDERS, UNINSTALL_KEY, WELCOME, Failure, check, installed_product, run,
                    utc_stamp, wait_for)

HERE = os.path.dirname(os.path.abspath(__file__))

STRINGS = {
    1: "You must first indicate that you accept the License Agreement, by checking the acceptance box "
       "under the agreement.",
    5: "Brimel Messenger can only run on Windows 98 second edition or above.",
}
FAILURE_NOTICE = ("Unable to install Brimel Messenger.\n\n"
                  "Please check if you have administrator access rights on your computer.\n\n"
                  "Please exit Brimel Messenger before running Brimel Messenger Setup.\n\n"
                  "If this problem persists - please notify support@brimel.example")
ASM, WINDOWS_SETTINGS_2017 = "urn:schemas-microsoft-com:asm", "http://schemas.microsoft.com/SMI/2017/WindowsSettings"
RICHEDIT_NOTICE = "Brimel Messenger requires a newer version of the system file 'riched20.dll'."
ID_INSTALL, ID_ACCEPT, ID_LICENSE, ID_PICTURE = 1001, 1007, 1003, 1011

# The installed file set from the installer's table: where each file goes
# (below Program Files), in writing order, and its record.
_NAMES = installed_product.names()
PRODUCT_FILES = [(installed_product.path(row, _NAMES["ProductFolderName"], "\\"), row.record)
                 for row in installed_product.rows() if row.folder != "Windows"]
UNINSTALLER = next((row.name, row.record) for row in installed_product.rows() if row.folder == "Windows")
SHORTCUT_FOLDERS = _NAMES["ShortcutFolderValues"]
SHORTCUT = _NAMES["ShortcutName"]


def records(product_build):
    """record -> (file, date, time): the stand-in product's folder as the build
    staged it, with the times the installer's table designs for it."""
    return {row.record: (os.path.join(product_build, "folder", installed_product.path(row)), row.date, row.time)
            for row in installed_product.rows()}


# -- steps shared by the scenarios --------------------------------------------

def welcome(s, timeout=30):
    w = s.wait_window(title=WELCOME, timeout=timeout)
    check(w, "the welcome dialog did not appear")
    time.sleep(0.5)  # let it paint before input arrives
    return s.visible(title=WELCOME)


def tick_box(s, w):
    s.click(w, 146, w.client[3] - 134)


def press_install(s, w, repeat=1):
    s.click(w, 330, w.client[3] - 90, repeat)


def message(s, text, timeout=30):
    m = s.wait_window(text=text, timeout=timeout)
    check(m, "no message saying %r" % text[:60])
    return m


def dismiss(s, m):
    """Presses OK on a message dialog (the button with id IDOK) and waits until it is gone."""
    ok = m.control(1)
    check(ok, "the message has no OK button")
    s.click(m, ok.rect[0] - m.client[0] + ok.rect[2] // 2, ok.rect[1] - m.client[1] + ok.rect[3] // 2)
    gone = wait_for(lambda: all(w.handle != m.handle or not w.visible for w in s.windows()), 10, 0.3)
    check(gone, "the message stayed after OK")


def program_files(s):
    return s.unix(s.program_files())


def expect_nothing_written(s):
    check(not os.path.exists(os.path.join(program_files(s), "Brimel")), "the product folder was made")
    check(not os.path.exists(os.path.join(s.windows_folder(), UNINSTALLER[0])), "the uninstaller was written")
    check(s.reg_values(UNINSTALL_KEY) is None, "the product was registered")


def expect_installed(s, table=None, build_text=None):
    """All 45 files with their contents and stamps, 3 shortcuts, 5 uninstall values."""
    table = table or records(s.args.product)
    base = program_files(s)
    expected = [(os.path.join(base, *rel.split("\\")), rec) for rel, rec in PRODUCT_FILES]
    expected.append((os.path.join(s.windows_folder(), UNINSTALLER[0]), UNINSTALLER[1]))
    check(len(expected) == 45, "the table lists %d files" % len(expected))
    for path, record in expected:
        source, date, hms = table[record]
        check(os.path.isfile(path), "missing " + path)
        with open(path, "rb") as got, open(source, "rb") as want:
            check(got.read() == want.read(), "%s differs from record %d" % (path, record))
        check(int(os.stat(path).st_mtime) == utc_stamp(date, hms),
              "%s is stamped %d, not %d" % (path, os.stat(path).st_mtime, utc_stamp(date, hms)))
    for folder in SHORTCUT_FOLDERS:
        link = os.path.join(s.unix(s.shell_folder(folder)), SHORTCUT)
        check(os.path.isfile(link), "no shortcut " + link)
        with open(link, "rb") as f:
            check(b"Brimel\\Brimel.exe" in f.read(), "the shortcut %s does not lead to the messenger" % link)
    values = s.reg_values(UNINSTALL_KEY)
    check(values is not None, "no uninstall key")
    windows = s.wine("cmd", "/c", "echo %windir%").strip()
    expected_values = {
        "DisplayName": ("REG_SZ", "Brimel Messenger"),
        "DisplayVersion": ("REG_SZ", build_text or build_texts(os.path.dirname(s.setup))[1]),
        "Publisher": ("REG_SZ", "Brimel, Inc."),
        "UninstallString": ("REG_SZ", windows.rstrip("\\") + "\\Uninstall Brimel.exe"),
    }
    for name, value in expected_values.items():
        check(values.get(name) == value, "uninstall value %s is %r, not %r" % (name, values.get(name), value))
    check(set(values) == set(expected_values) | {"URLInfoAbout"}, "uninstall values: %s" % sorted(values))
    check(values["URLInfoAbout"][0] == "REG_SZ" and values["URLInfoAbout"][1].startswith("http"),
          "URLInfoAbout is %r" % (values["URLInfoAbout"],))


def expect_launched_and_gone(s, installer=None, parent=None):
    """The installer (its welcome dialog, by default any) hides, the messenger
    starts while it is hidden (started by the program named parent, when
    given), and the installer ends about 5 s after hiding. Called right after
    Install was pressed."""
    shown = len(s.xwindows(WELCOME))
    if installer is not None or shown > 0:  # else it hid while the keys were typed: just now
        check(wait_for(lambda: len(s.xwindows(WELCOME)) < shown, 60, 0.05), "the installer did not hide")
    hidden = time.monotonic()
    messenger = s.wait_window(cls=MESSENGER_CLASS, timeout=60)
    check(messenger, "the installed messenger did not start")
    started_by = parent and s.parent(messenger.pid)[1]
    check(started_by == parent, "the messenger was started by %s, not %s" % (started_by, parent))
    visible = [w for w in s.windows() if w.visible and w.title == WELCOME]
    check(not [w for w in visible if installer is None or w.handle == installer.handle],
          "the installer was visible again when the messenger started")
    status = s.setup_exit(timeout=20)
    gone = time.monotonic() - hidden
    check(status is not None, "the installer did not end after the launch")
    # Hidden, then the launch and a pause of 5 s, then the end; a second run
    # of the sequence would add another 5 s.
    check(4.5 <= gone <= 9.5, "the installer ended %.1f s after hiding, not about 5 s" % gone)
    return messenger


def install_product_by_hand(s, folder="Brimel", exe="Brimel.exe"):
    """An earlier installation: the built messenger and its library."""
    target = os.path.join(program_files(s), folder)
    os.makedirs(target, exist_ok=True)
    shutil.copy(os.path.join(s.args.product, "Brimel.exe"), os.path.join(target, exe))
    shutil.copy(os.path.join(s.args.product, "BC.dll"), os.path.join(target, "BC.dll"))
    return target


# -- scenarios -----------------------------------------------------------------

def fresh_install(s):
    s.start_setup()
    w = welcome(s)
    tick_box(s, w)
    press_install(s, w)
    expect_launched_and_gone(s)
    expect_installed(s)


def desktop_shell(s):
    """Inside a Wine desktop the shell starts the messenger on Windows 10, as the desktop's user;
    on XP and 98, and when the shell hangs, the installer starts it itself, and ends in time."""
    for version, parent, hung in (("win10", "explorer.exe", False), ("winxp", "BrimelSetup.exe", False),
                                  ("win98", "BrimelSetup.exe", False), ("win10", None, True)):
        if parent != "explorer.exe":
            s.reset()
        s.use_virtual_desktop()
        s.reg("add", r"HKCU\Software\Wine\AppDefaults\BrimelSetup.exe", "/v", "Version", "/d", version)
        s.start_setup()
        w = welcome(s)
        tick_box(s, w)
        if hung:  # nothing of the desktop answers now, the window probe included
            s.hang("explorer.exe")
            press_install(s, w)
            check(s.setup_exit(timeout=15) is not None, "with a hung shell the installer did not end")
            s.hang("explorer.exe", resume=True)
            messenger = s.wait_window(cls=MESSENGER_CLASS, timeout=30)
            check(messenger, "with a hung shell the messenger did not start")
            check(s.parent(messenger.pid)[0] == w.pid, "with a hung shell the installer did not start the messenger")
            continue
        press_install(s, w)
        try:
            expect_launched_and_gone(s, parent=parent)
        except Failure as failure:
            raise Failure("%s: %s" % (version, failure))


def accept_first(s):
    s.start_setup()
    w = welcome(s)
    press_install(s, w)
    m = message(s, STRINGS[1])
    shown = sorted(c.id for c in m.controls if c.cls == "Button" and c.visible)
    check(shown == [1], "the message offers the buttons %s, not OK only" % shown)
    text = next(c.id for c in m.controls if c.text == STRINGS[1])
    check(s.accessible(m, text)[:3] == (41, 0x40, STRINGS[1]), "the message reads %s" % (s.accessible(m, text),))
    expect_nothing_written(s)
    dismiss(s, m)
    w = wait_for(lambda: (lambda w: w if w and w.focused() == ID_ACCEPT else None)(s.visible(title=WELCOME)), 5, 0.3)
    check(w, "the focus did not move to the box")
    expect_nothing_written(s)
    tick_box(s, w)
    press_install(s, w)
    expect_launched_and_gone(s)
    expect_installed(s)


def keyboard(keys):
    """Installs with the keyboard alone; a repeated press must not start a second run."""
    def scenario(s):
        s.start_setup()
        welcome(s)
        s.keys(WELCOME, *keys)
        expect_launched_and_gone(s)
        expect_installed(s)
    return scenario


def expect_manifest(path):
    """GDI scaling in its exact namespace, no DPI awareness, nothing XP's loader refuses."""
    with open(path, "rb") as f:
        data = f.read()
    found = find_record(data, 1, 24)
    text, v1, v3 = data[found.offset:found.offset + found.size].decode(), "{%s.v1}" % ASM, "{%s.v3}" % ASM
    root = ET.fromstring(text)
    scaling = root.findall(v3 + "application/" + v3 + "windowsSettings/{%s}gdiScaling" % WINDOWS_SETTINGS_2017)
    check([e.text for e in scaling] == ["true"] and "dpiAware" not in text, "%s: not GDI scaling alone" % path)
    check({e.tag for e in root.iter() if e.tag.startswith(v1)} == {v1 + "assembly", v1 + "assemblyIdentity"},
          "%s: an asm.v1 element XP does not know" % path)
    for declared in (re.findall(r'xmlns\S*="([^"]*)"', tag) for tag in re.findall(r"<[^>]+>", text)):
        check(len(declared) == len(set(declared)), "%s: a namespace declared twice" % path)


def windows_versions(s):
    """Only Windows 98 SE and later are offered the installation; there the
    manifests are ignored and every program starts."""
    for program in (s.setup, os.path.join(s.args.product, "Brimel.exe"), os.path.join(s.args.product, UNINSTALLER[0])):
        expect_manifest(program)
    for version, offered in (("win95", False), ("win98", True), ("winme", True), ("nt40", True)):
        s.reg("add", r"HKCU\Software\Wine", "/v", "Version", "/d", version)
        s.start_setup()
        if offered:
            check(s.wait_window(title=WELCOME, timeout=30), "%s: the welcome dialog did not appear" % version)
            s.keys(WELCOME, "Escape")
            messenger = s.start(os.path.join(s.args.product, "Brimel.exe"))
            check(s.wait_window(cls=MESSENGER_CLASS, timeout=30), "%s: the messenger did not start" % version)
            messenger.kill()
            check(wait_for(lambda: not s.visible(cls=MESSENGER_CLASS), 15, 0.3), "%s: the messenger stayed" % version)
            asked = s.start(os.path.join(s.args.product, UNINSTALLER[0]))
            check(s.wait_window(title="Uninstall Brimel Messenger", timeout=30), "%s: the uninstaller did not ask" % version)
            s.keys("Uninstall Brimel Messenger", "n")
            check(asked.wait(timeout=20) == 2, "%s: the uninstaller answered No did not end with 2" % version)
        else:
            m = message(s, STRINGS[5])
            check(not s.visible(title=WELCOME), "win95: the welcome dialog appeared")
            dismiss(s, m)
        check(s.setup_exit(timeout=15) is not None, "%s: the installer did not end" % version)
        check(not s.visible(title=WELCOME), "%s: a window stayed" % version)
        expect_nothing_written(s)


def old_rich_edit(s):
    """A system rich edit library older than 3.0: the notice, then the end."""
    system = os.path.join(s.windows_folder(), "system32")
    os.remove(os.path.join(system, "riched20.dll"))  # linked to the template's
    shutil.copy(os.path.join(s.args.probe_dlls, "old_window", "riched20.dll"), os.path.join(system, "riched20.dll"))
    # Wine answers a version query for a loaded library with its built-in
    # copy's resource: make it load the old one.
    s.env["WINEDLLOVERRIDES"] += ";riched20=n"
    s.start_setup()
    m = message(s, RICHEDIT_NOTICE)
    check(not s.visible(title=WELCOME), "the welcome dialog appeared")
    s.keys(m.title, "Escape")
    check(s.setup_exit(timeout=15) is not None, "the installer did not end after the notice")
    expect_nothing_written(s)


def running_messenger_quits(s):
    folder = install_product_by_hand(s)
    s.start(os.path.join(s.program_files(), "Brimel", "Brimel.exe"))
    check(s.wait_window(cls=MESSENGER_CLASS, timeout=30), "the messenger did not start")
    s.start_setup()
    w = welcome(s)
    check(not s.visible(cls=MESSENGER_CLASS), "the messenger still runs beside the welcome dialog")
    took = time.monotonic() - s.setup_started
    check(took < 15, "the welcome dialog took %.1f s" % took)
    check(os.path.isfile(os.path.join(folder, "Brimel.exe")), "the messenger's file went away")
    s.keys(WELCOME, "Escape")


def running_messenger_never_quits(s):
    install_product_by_hand(s)
    s.hold(s.program_files() + "\\Brimel\\Brimel.exe", "read")
    s.start_setup()
    m = message(s, FAILURE_NOTICE, timeout=40)
    took = time.monotonic() - s.setup_started
    check(13 <= took <= 25, "the notice came after %.1f s, not after 14 to 15 s" % took)
    check(not s.visible(title=WELCOME), "the welcome dialog appeared")
    dismiss(s, m)
    check(s.setup_exit(timeout=15) is not None, "the installer did not end after the notice")


def locked_main_program(s):
    """Four attempts, one notice, the dialog usable again: for a press, a
    double click and a click during the retries."""
    folder = os.path.join(program_files(s), "Brimel")
    os.makedirs(folder)
    with open(os.path.join(folder, "Brimel.exe"), "wb") as f:
        f.write(b"an older messenger" * 100)
    holder = s.hold(s.program_files() + "\\Brimel\\Brimel.exe", "read")
    s.start_setup()
    w = welcome(s)
    tick_box(s, w)
    # A press, a press again, a double click, and a click during the retries.
    for presses, again in ((1, False), (1, False), (2, False), (1, True)):
        w = expect_failure_notice(s, w, presses, again)
    with open(os.path.join(folder, "Brimel.exe"), "rb") as f:
        check(f.read() == b"an older messenger" * 100, "the held file was changed")
    holder.kill()
    time.sleep(1)
    press_install(s, s.visible(title=WELCOME))
    expect_launched_and_gone(s)
    expect_installed(s)


def predecessor(s):
    """An installation of the predecessor is taken over."""
    legacy = install_product_by_hand(s, "Brimel Chat", "BrimelChat.exe")
    with open(os.path.join(legacy, "history.dat"), "wb") as f:
        f.write(b"the user's history")
    os.chmod(os.path.join(legacy, "BrimelChat.exe"), 0o444)
    key = r"HKCU\Software\Brimel, Inc.\Brimel Chat"
    s.reg("add", key, "/v", "Nick", "/d", "pat")
    s.reg("add", key + r"\Window", "/v", "Left", "/d", "40")
    s.reg("add", key, "/v", "Logins", "/t", "REG_DWORD", "/d", "3")
    run_key = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
    s.reg("add", run_key, "/v", "Brimel Chat", "/d", "C:\\old\\BrimelChat.exe")
    s.reg("add", run_key, "/v", "Other", "/d", "C:\\other.exe")
    for folder in SHORTCUT_FOLDERS:
        path = s.unix(s.shell_folder(folder))
        os.makedirs(path, exist_ok=True)
        open(os.path.join(path, "Brimel Chat.lnk"), "wb").close()
    s.start_setup()
    w = welcome(s)
    check(s.reg_value(run_key, "Brimel Chat") is None, "the old autostart is still there")
    check(s.reg_value(run_key, "Other") == "C:\\other.exe", "another autostart went away")
    tick_box(s, w)
    press_install(s, w)
    expect_launched_and_gone(s)
    expect_installed(s)
    product = os.path.join(program_files(s), "Brimel")
    check(not os.path.exists(legacy), "the predecessor's folder is still there")
    check(os.path.isfile(os.path.join(product, "history.dat")), "the user's file did not move along")
    check(not os.path.exists(os.path.join(product, "BrimelChat.exe")), "the old program was kept")
    check(s.reg_value(r"HKCU\Software\Brimel, Inc.\Brimel", "Nick") == "pat", "the settings were not copied")
    check(s.reg_value(r"HKCU\Software\Brimel, Inc.\Brimel\Window", "Left") == "40", "the subkey was not copied")
    check(s.reg_value(r"HKCU\Software\Brimel, Inc.\Brimel", "Logins") is None, "a number was copied")
    check(s.reg_value(key, "Nick") == "pat", "the predecessor's settings went away")
    for folder in SHORTCUT_FOLDERS:
        check(not os.path.exists(os.path.join(s.unix(s.shell_folder(folder)), "Brimel Chat.lnk")),
              "the old shortcut in %s is still there" % folder)


def px(value, dpi):
    """A pixel count designed for 96 DPI at another, rounded as MulDiv rounds."""
    return (value * dpi + 48) // 96


def expect_layout(s, w, dpi=96):
    """The license view, box, button and picture where the client size and the DPI put them."""
    cx, cy, cw, ch = w.client
    def at(ident):
        c = w.control(ident)
        check(c, "control %d is missing" % ident)
        return (c.rect[0] - cx, c.rect[1] - cy, c.rect[2], c.rect[3])
    check(at(ID_LICENSE) == (px(20, dpi), px(100, dpi), cw - px(40, dpi), ch - px(280, dpi)),
          "license view at %s in a %dx%d client area" % (at(ID_LICENSE), cw, ch))
    px_, py, pw, ph = at(ID_PICTURE)
    check((pw, ph) == (273, 171), "the picture is %dx%d, not its bitmap's 273x171" % (pw, ph))
    check((px_ + pw, py + ph) == (cw - px(3, dpi), ch - px(3, dpi)),
          "picture at %s in a %dx%d client area" % (at(ID_PICTURE), cw, ch))
    check(at(ID_INSTALL)[:2] == (px(300, dpi), ch - px(100, dpi)), "Install button at %s" % (at(ID_INSTALL),))
    check(at(ID_ACCEPT)[:2] == (px(140, dpi), ch - px(140, dpi)), "acceptance box at %s" % (at(ID_ACCEPT),))


def expect_clear(w, what):
    """Every visible control inside the client area, none over another."""
    cx, cy, cw, ch = w.client
    boxes = [(c.id, c.rect[0] - cx, c.rect[1] - cy, c.rect[0] - cx + c.rect[2], c.rect[1] - cy + c.rect[3])
             for c in w.controls if c.visible]
    for i, (ident, left, top, right, bottom) in enumerate(boxes):
        check(left >= 0 and top >= 0 and right <= cw and bottom <= ch, "%s: control %d cut" % (what, ident))
        for other, l2, t2, r2, b2 in boxes[i + 1:]:
            check(right <= l2 or r2 <= left or bottom <= t2 or b2 <= top, "%s: %d over %d" % (what, ident, other))


def resize(s):
    """Sizing with the keyboard, as the system menu offers it: never below 700 x 500."""
    s.start_setup()
    w = welcome(s)
    check(w.rect[2:] == (750, 570), "the dialog opened at %dx%d" % w.rect[2:])
    expect_layout(s, w)
    # Size from the right and bottom edges: 10 steps in, far past the minimum.
    s.keys(WELCOME, "alt+space", "s", "Right", *["Left"] * 10, "Return")
    s.keys(WELCOME, "alt+space", "s", "Down", *["Up"] * 12, "Return")
    w = s.visible(title=WELCOME)
    check(w.rect[2:] == (700, 500), "sized in to %dx%d, not to the minimum 700x500" % w.rect[2:])
    expect_layout(s, w)
    s.keys(WELCOME, "alt+space", "s", "Right", *["Right"] * 5, "Return")
    s.keys(WELCOME, "alt+space", "s", "Down", *["Down"] * 5, "Return")
    w = s.visible(title=WELCOME)
    check(w.rect[2] > 700 and w.rect[3] > 500, "sized out to %dx%d only" % w.rect[2:])
    expect_layout(s, w)
    s.keys(WELCOME, "Escape")


def high_dpi(s):
    """At 120 and 144 DPI (the prefix's LogPixels) the welcome dialog, opened
    and sized in, and the failure notice keep every control inside and clear."""
    for dpi in (120, 144):
        s.reset()
        s.reg("add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi))
        open(os.path.join(program_files(s), "Brimel"), "wb").close()  # in the folder's way: the notice
        s.start_setup()
        w = welcome(s)
        # Past the scenarios' 1024 x 768 screen the system holds it at the screen's size.
        for got, scaled, screen in zip(w.rect[2:], (px(750, dpi), px(570, dpi)), (1024, 768)):
            check(got == scaled or screen <= got < scaled, "%d DPI: opened at %dx%d" % ((dpi,) + w.rect[2:]))
        expect_layout(s, w, dpi)
        expect_clear(w, "%d DPI: the welcome dialog" % dpi)
        s.keys(WELCOME, "alt+space", "s", "Right", *["Left"] * 10, "Return",
               "alt+space", "s", "Down", *["Up"] * 12, "Return")
        w = s.visible(title=WELCOME)
        check(w.rect[2:] == (px(700, dpi), px(500, dpi)), "%d DPI: sized in to %dx%d" % ((dpi,) + w.rect[2:]))
        expect_clear(w, "%d DPI: the welcome dialog at its least" % dpi)
        s.keys(WELCOME, "alt+a", "alt+b")
        expect_clear(message(s, FAILURE_NOTICE), "%d DPI: the failure notice" % dpi)


# DLLs the programs load that Windows does not always take from the system
# folder, and some the shell may load while it makes shortcuts. version.dll
# and imm32.dll are left out: Wine's own user32 loads them before a program's
# first line (host.imports checks that no program imports them).
PLANTED = ("riched20", "riched32", "comctl32", "olepro32", "uxtheme", "usp10", "msimg32", "shfolder",
           "linkinfo", "ntshrui", "propsys", "cscapi", "profapi", "userenv", "dwmapi", "apphelp")


def plant(s, *folders):
    """A DLL that leaves a marker file when loaded, under each planted name in
    each folder, with Wine told to prefer such DLLs to its own, as Windows would."""
    for folder in folders:
        os.makedirs(folder, exist_ok=True)
        for name in PLANTED:
            shutil.copy(s.args.marker_dll, os.path.join(folder, name + ".dll"))
    s.env["WINEDLLOVERRIDES"] += ";%s=n,b" % ",".join(PLANTED)


def expect_none_loaded(*folders):
    loaded = [os.path.join(f, n) for f in folders for n in os.listdir(f) if n.endswith(".loaded")]
    check(not loaded, "planted DLLs were loaded: %s" % loaded)


def planted_dlls(s):
    """Beside the installer, the messenger, the uninstaller and the
    uninstaller's temporary copy: no planted DLL loads, every program works."""
    download = os.path.join(s.unix("C:\\"), "download")
    product = install_product_by_hand(s)
    windows = s.windows_folder()
    shutil.copy(os.path.join(s.args.product, UNINSTALLER[0]), os.path.join(windows, UNINSTALLER[0]))
    temp = s.unix(s.wine("cmd", "/c", "echo %TEMP%").strip())
    plant(s, download, product, windows, temp)
    shutil.copy(s.setup, os.path.join(download, "BrimelSetup.exe"))
    s.start_setup("C:\\download\\BrimelSetup.exe", cwd=download)
    welcome(s)
    s.keys(WELCOME, "Escape")
    check(s.setup_exit(15) == 0, "the installer did not end well")
    s.start(os.path.join(product, "Brimel.exe"), cwd=product)
    check(s.wait_window(cls=MESSENGER_CLASS, timeout=30), "the messenger did not start")
    uninstaller = os.path.join(windows, UNINSTALLER[0])
    asked = s.start(uninstaller, cwd=windows)
    check(s.wait_window(title="Uninstall Brimel Messenger", timeout=30), "the uninstaller did not ask")
    s.keys("Uninstall Brimel Messenger", "n")
    check(asked.wait(timeout=20) == 2, "the uninstaller answered No did not end with 2")
    # The silent run stops the messenger and leaves the removal of its own
    # file to its temporary copy.
    check(s.start(uninstaller, "/S", cwd=windows).wait(timeout=30) == 0, "the silent uninstall failed")
    check(wait_for(lambda: not os.path.exists(uninstaller), 10), "the temporary copy did not remove the uninstaller")
    expect_none_loaded(download, product, windows, temp)


def planted_dlls_install(s):
    """A whole installation from a download folder with planted DLLs: none loads."""
    download = os.path.join(s.unix("C:\\"), "download")
    plant(s, download)
    shutil.copy(s.setup, os.path.join(download, "BrimelSetup.exe"))
    s.start_setup("C:\\download\\BrimelSetup.exe", cwd=download)
    w = welcome(s)
    tick_box(s, w)
    press_install(s, w)
    expect_launched_and_gone(s)
    expect_installed(s)
    expect_none_loaded(download)


def screen_reader(s):
    """What a screen reader reads and does: the box ticked and Install pressed
    through their default actions alone; the installation runs once."""
    checked, pressed = 0x10, 0x8
    s.start_setup()
    w = welcome(s)
    check(s.accessible(w, 1004)[:3] == (41, 0x40, "Hello!"), "the greeting reads %s" % (s.accessible(w, 1004),))
    install = s.accessible(w, ID_INSTALL)
    check(install[0] == 43 and install[2:4] == ("Install Brimel Messenger", "Press") and install[4].lower() == "alt+b", "Install reads %s" % (install,))
    box = s.accessible(w, ID_ACCEPT)
    check(box[0] == 44 and not box[1] & checked and box[2:4] ==
          ("I accept the terms and conditions of this license agreement", "Check") and box[4].lower() == "alt+a", "the box reads %s" % (box,))
    s.accessible(w, ID_ACCEPT, act=True)
    box = wait_for(lambda: (lambda b: b if b[1] & checked else None)(s.accessible(w, ID_ACCEPT)), 5, 0.3)
    check(box and box[3] == "Uncheck" and not box[1] & pressed, "the box's default action did not tick it")
    s.accessible(w, ID_INSTALL, act=True)
    expect_launched_and_gone(s)
    expect_installed(s)


def welcome_escape(s):
    """The welcome dialog shows its controls and painted art; Escape ends the
    installer and nothing is written. Enter does not end it."""
    s.start_setup()
    w = welcome(s)
    expected = {ID_LICENSE: "RICHEDIT", ID_ACCEPT: "Button", ID_INSTALL: "Button", ID_PICTURE: "Static"}
    for ident, cls in expected.items():
        c = w.control(ident)
        check(c and c.visible and c.cls.upper() == cls.upper(), "control %d: %s" % (ident, c and c.cls))
    check(w.control(ID_INSTALL).text == "Install &Brimel Messenger", "the Install button's caption")
    check(w.focused() == ID_LICENSE, "the focus starts on %s, not on the license" % w.focused())
    s.keys(WELCOME, "Return")
    check(s.setup_exit(timeout=2) is None, "Enter ended the installer")
    s.keys(WELCOME, "Escape")
    check(s.setup_exit(timeout=15) is not None, "Escape did not end the installer")
    expect_nothing_written(s)


def release_install(s):
    """A signed release built from a product folder of other bytes and times
    (release_build.py): the signature verifies, it installs exactly those
    bytes with those stamps, under its own build number."""
    import subprocess
    from datetime import datetime, timezone
    from release_build import BUILD_NUMBER, VERSION
    folder, setup = os.path.join(s.args.release, "folder"), os.path.join(s.args.release, "build", "BrimelSetup.exe")
    verify = subprocess.run(["osslsigncode", "verify", "-CAfile", os.path.join(s.args.release, "cert", "cert.pem"),
                             "-in", setup], capture_output=True, text=True)
    check(verify.returncode == 0 and "Signature verification: ok" in verify.stdout,
          "the release's signature does not verify: %s" % verify.stdout[-300:])
    table = {}
    for rel, record in PRODUCT_FILES + [UNINSTALLER]:
        path = os.path.join(folder, *rel.split("\\")[1:] or [rel])
        t = datetime.fromtimestamp(os.stat(path).st_mtime, timezone.utc)
        table.setdefault(record, (path, t.year * 10000 + t.month * 100 + t.day, t.hour * 10000 + t.minute * 100 + t.second))
    s.start_setup(setup)
    w = welcome(s)
    tick_box(s, w)
    press_install(s, w)
    expect_launched_and_gone(s)
    expect_installed(s, table, "%s, Build # %03d" % (VERSION, BUILD_NUMBER))


# -- the fault matrix: damage, full disk, things in the way, a second copy ------

class Rewrites:
    """Counts the bursts in which a file is written anew, watching it from a
    thread of its own; writes less than half a second apart are one burst."""

    def __init__(self, path):
        self.path, self.changes, self.running = path, set(), True
        self.before = self._ctime()
        self.thread = threading.Thread(target=self._watch, daemon=True)
        self.thread.start()

    def _ctime(self):
        try:
            return os.stat(self.path).st_ctime_ns
        except OSError:
            return None

    def _watch(self):
        while self.running:
            self.changes.add(self._ctime())
            time.sleep(0.02)

    def stop(self):
        self.running = False
        self.thread.join()
        times = sorted(self.changes - {None, self.before})
        self.count = sum(1 for i, t in enumerate(times) if i == 0 or t - times[i - 1] > 500_000_000)
        return self.count


def expect_failure_notice(s, w, presses=1, again=False):
    """Install pressed (`presses` clicks, and once more during the retries when
    `again`): four attempts over at least three pauses, then one failure
    notice, dismissed; the dialog usable again."""
    watch = Rewrites(os.path.join(s.windows_folder(), UNINSTALLER[0]))  # every attempt writes it anew
    pressed = time.monotonic()
    press_install(s, w, presses)
    if again:
        time.sleep(1.2)
        press_install(s, w)
    m = message(s, FAILURE_NOTICE, timeout=30)
    took = time.monotonic() - pressed
    check(2.5 <= took <= 12, "the notice came %.1f s after the press" % took)
    dismiss(s, m)
    check(wait_for(lambda: s.visible(text=FAILURE_NOTICE), 4, 0.1) is None, "a second notice followed")
    check(watch.stop() == 4, "%d attempts, not 4" % watch.count)
    w = s.visible(title=WELCOME)
    check(w and w.enabled, "the welcome dialog is not usable after the notice")
    return w


def older_installation(s):
    """Product files of an earlier version: each must end old or new, whole."""
    folder = os.path.join(program_files(s), "Brimel")
    old = {}
    for name in ("Brimel.exe", "BC.dll", "Skins\\Default - 800x600\\main.bmp",
                 "Skins\\Default - 800x600\\skin.ini"):
        path = os.path.join(folder, *name.split("\\"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        old[path] = ("old %s " % name).encode() * 300
        with open(path, "wb") as f:
            f.write(old[path])
    return old


def expect_old_or_whole(s, old):
    table = records(s.args.product)
    by_path = {os.path.join(program_files(s), *rel.split("\\")): rec for rel, rec in PRODUCT_FILES}
    for path, content in old.items():
        with open(table[by_path[path]][0], "rb") as f:
            new = f.read()
        with open(path, "rb") as f:
            got = f.read()
        check(got in (content, new), "%s is neither the old file nor the new one (%d bytes)" % (path, len(got)))


def damaged_installer(s):
    """A damaged record: the failure notice for a product file, a silent end for the license."""
    with open(s.setup, "rb") as f:
        original = f.read()
    for record, how in ((129, "flip"), (130, "truncate"), (130, "stored_size"), (130, "unpacked_size")):
        s.reset()
        old = older_installation(s)
        copy = os.path.join(s.unix("C:\\"), "damaged.exe")
        with open(copy, "wb") as f:
            f.write(damaged(original, record, how))
        s.start_setup("C:\\damaged.exe")
        case = "record %d %s: " % (record, how)
        if record == 130:
            check(s.setup_exit(timeout=30) is not None, case + "the installer did not end")
            check(not s.visible(title=WELCOME), case + "the welcome dialog stayed")
        else:
            w = welcome(s)
            tick_box(s, w)
            expect_failure_notice(s, w)
            s.keys(WELCOME, "Escape")
            check(s.setup_exit(timeout=15) is not None, case + "the installer did not end")
        expect_old_or_whole(s, old)
        with open(os.path.join(program_files(s), "Brimel", "Brimel.exe"), "rb") as f:
            check(f.read() == old[os.path.join(program_files(s), "Brimel", "Brimel.exe")],
                  case + "the old program was replaced by a damaged one")


def license_corpus(s):
    """Licenses of 999 and 1000 characters with one RTF feature each: the
    release check never accepts one on which the installer ends, and agrees
    with it where it counts the feature exactly."""
    sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
    from check_product_dir import Refused, check_license
    from pack_record import pack
    from license_corpus import cases
    with open(s.setup, "rb") as f:
        original = f.read()
    corpus = os.path.join(s.dir, "license.rtf")
    for name, chars, rtf, exact in cases():
        with open(corpus, "wb") as f:
            f.write(rtf)
        try:
            check_license(corpus)
            accepted = True
        except Refused:
            accepted = False
        with open(s.unix("C:\\license.exe"), "wb") as f:
            f.write(replaced(original, 130, pack(rtf, 20061018, 112040)))
        s.start_setup("C:\\license.exe")
        check(wait_for(lambda: s.setup_process.poll() is not None or s.xwindow(WELCOME), 30),
              "%s, %d: neither the welcome dialog nor an end" % (name, chars))
        shown = s.setup_process.poll() is None
        if shown:
            s.keys(WELCOME, "Escape")
            check(s.setup_exit(timeout=15) is not None, "%s, %d: Escape did not end the installer" % (name, chars))
        print("%s, %d characters: installer %s, check %s" % (name, chars, "shows the welcome" if shown else "ends",
                                                             "accepts" if accepted else "refuses"))
        check(shown == (chars >= 1000), "%s, %d: the installer %s" % (name, chars, "went on" if shown else "ended"))
        check(shown or not accepted, "%s, %d: the check accepts a license the installer ends on" % (name, chars))
        check(accepted == shown or not exact, "%s, %d: the check and the installer disagree" % (name, chars))


def full_disk(s):
    """Program Files on a drive too small for the product: the notice, old files whole."""
    mount = os.path.join(s.dir, "small-drive")
    os.makedirs(mount)
    if os.system("mount -t tmpfs -o size=256k tmpfs '%s' 2>/dev/null" % mount) != 0:
        print("cannot mount a small drive here (needs root): skipped")
        raise SystemExit(77)
    try:
        os.symlink(mount, os.path.join(s.prefix, "dosdevices", "f:"))
        s.reg("add", r"HKLM\Software\Microsoft\Windows\CurrentVersion", "/v", "ProgramFilesDir", "/d", "F:\\")
        old = older_installation(s)
        s.start_setup()
        w = welcome(s)
        tick_box(s, w)
        expect_failure_notice(s, w)
        s.keys(WELCOME, "Escape")
        check(s.setup_exit(timeout=15) is not None, "the installer did not end")
        expect_old_or_whole(s, old)
    finally:
        s.close()
        os.system("umount '%s' 2>/dev/null" % mount)


def in_the_way(s):
    """A plain file where a folder must be: the notice on every press, the file kept."""
    for blocker in ("Brimel", "Brimel\\Skins\\Default - 1024x768"):
        s.reset()
        path = os.path.join(program_files(s), *blocker.split("\\"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(b"a plain file")
        s.start_setup()
        w = welcome(s)
        tick_box(s, w)
        w = expect_failure_notice(s, w)
        if blocker == "Brimel":
            expect_failure_notice(s, w)  # and so on every press
        with open(path, "rb") as f:
            check(f.read() == b"a plain file", blocker + ": the plain file changed")


def shell_folders(s):
    """Missing or unreadable Shell Folders values skip only their shortcut."""
    cases = (
        ("Start Menu missing", lambda: s.reg("delete", SHELL_FOLDERS, "/v", "Start Menu"), {"Start Menu"}),
        ("Programs a number", lambda: s.reg("add", SHELL_FOLDERS, "/v", "Programs", "/t", "REG_DWORD", "/d", "7"),
         {"Programs"}),
    )
    for name, damage, skipped in cases:
        s.reset()
        folders = {f: s.unix(s.shell_folder(f)) for f in SHORTCUT_FOLDERS}
        damage()
        s.start_setup()
        w = welcome(s)
        tick_box(s, w)
        press_install(s, w)
        expect_launched_and_gone(s)
        for folder, path in folders.items():
            made = os.path.isfile(os.path.join(path, SHORTCUT))
            check(made == (folder not in skipped), "%s: shortcut in %s made: %s" % (name, folder, made))


def second_copy(s):
    """Two installers at once: the second installs, the first then fails cleanly."""
    s.start_setup()
    first_process = s.setup_process
    first = welcome(s)
    s.start_setup()
    check(wait_for(lambda: len([w for w in s.windows() if w.visible and w.title == WELCOME]) == 2, 30, 0.3),
          "the second installer showed no welcome dialog")
    time.sleep(0.5)
    second = [w for w in s.windows() if w.visible and w.title == WELCOME and w.handle != first.handle][0]
    tick_box(s, second)
    press_install(s, second)
    expect_launched_and_gone(s, second)
    expect_installed(s)
    first = s.visible(title=WELCOME)
    check(first, "the first installer's dialog went away")
    s.raise_window(WELCOME)  # from under the messenger's window
    tick_box(s, first)
    expect_failure_notice(s, first)  # the messenger started by the second holds its program
    expect_installed(s)
    s.keys(WELCOME, "Escape")
    check(first_process.wait(timeout=15) is not None, "the first installer did not end")



# -- the uninstaller -------------------------------------------------------------

UNINSTALL_TITLE = "Uninstall Brimel Messenger"
SETTINGS_KEY = r"HKCU\Software\Brimel, Inc.\Brimel"


def install_for_uninstall(s, messenger_runs=False):
    """The real installer's installation, a file of the user's in the product
    folder and a setting of the user's; the launched messenger stopped unless
    it is to run."""
    fresh_install(s)
    product = os.path.join(program_files(s), "Brimel")
    with open(os.path.join(product, "notes.txt"), "wb") as f:
        f.write(b"the user's notes")
    s.reg("add", SETTINGS_KEY, "/v", "Nick", "/d", "pat")
    if not messenger_runs:
        s.wine(os.path.join(s.program_files(), "Brimel", "Brimel.exe"), "/u.U")
        check(s.last_status == 0, "the launched messenger did not quit")
    return product


def uninstall(s, *switches):
    return s.start(os.path.join(s.windows_folder(), UNINSTALLER[0]), *switches)


def remains(s):
    """What of the installation is still there: files, shortcuts, the entry."""
    base = program_files(s)
    left = [rel for rel, _ in PRODUCT_FILES if os.path.lexists(os.path.join(base, *rel.split("\\")))]
    left += ["Brimel\\Skins"] if os.path.exists(os.path.join(base, "Brimel", "Skins")) else []
    left += [f + " shortcut" for f in SHORTCUT_FOLDERS
             if os.path.exists(os.path.join(s.unix(s.shell_folder(f)), SHORTCUT))]
    left += ["uninstall entry"] if s.reg_values(UNINSTALL_KEY) is not None else []
    return left


def expect_uninstalled(s, product):
    check(remains(s) == [], "left after the uninstall: %s" % remains(s))
    check(wait_for(lambda: not os.path.exists(os.path.join(s.windows_folder(), UNINSTALLER[0])), 15),
          "the uninstaller's own file stayed")
    with open(os.path.join(product, "notes.txt"), "rb") as f:
        check(f.read() == b"the user's notes", "the user's file changed")
    check(s.reg_value(SETTINGS_KEY, "Nick") == "pat", "the user's settings went away")


def uninstall_silent(s):
    product = install_for_uninstall(s)
    check(uninstall(s, "/S").wait(60) == 0, "the silent uninstall did not end with 0")
    expect_uninstalled(s, product)


def uninstall_interactive(s):
    product = install_for_uninstall(s)
    asked = uninstall(s)
    check(s.wait_window(title=UNINSTALL_TITLE, timeout=30), "the uninstaller did not ask")
    s.keys(UNINSTALL_TITLE, "y")
    report = message(s, "Brimel Messenger was removed from your computer.\n\nThese folders were kept because "
                        "they still hold other files:\n\n%s\\Brimel\n" % s.program_files())
    check(remains(s) == [], "left before the report was read: %s" % remains(s))
    dismiss(s, report)
    check(asked.wait(20) == 0, "the interactive uninstall did not end with 0")
    expect_uninstalled(s, product)


def uninstall_while_messenger_runs(s):
    product = install_for_uninstall(s, messenger_runs=True)
    check(s.visible(cls=MESSENGER_CLASS), "the messenger does not run")
    check(uninstall(s, "/S").wait(60) == 0, "the silent uninstall did not end with 0")
    check(not s.visible(cls=MESSENGER_CLASS), "the messenger still runs")
    expect_uninstalled(s, product)


def uninstall_messenger_never_quits(s):
    """A messenger that keeps its file: nothing at all is removed."""
    install_for_uninstall(s)
    s.hold(s.program_files() + "\\Brimel\\Brimel.exe", "read")
    started = time.monotonic()
    check(uninstall(s, "/S").wait(60) == 4, "the uninstall did not end with 4")
    check(time.monotonic() - started >= 13, "the uninstaller gave up before 15 s")
    check(len(remains(s)) == len(PRODUCT_FILES) + 1 + len(SHORTCUT_FOLDERS) + 1,
          "removed although the messenger runs: %s" % remains(s))


def uninstall_held_file(sharing_or_read_only):
    """One skin file held open: reported, the rest removed, the entry kept;
    a second run once it is free finishes. A read-only file is removed."""
    def scenario(s):
        product = install_for_uninstall(s)
        name = "Brimel\\Skins\\Default - 800x600\\send.bmp"
        path = os.path.join(program_files(s), *name.split("\\"))
        if sharing_or_read_only == "read-only":
            os.chmod(path, 0o444)
            check(uninstall(s, "/S").wait(60) == 0, "the read-only file kept the uninstall from 0")
            expect_uninstalled(s, product)
            return
        holder = s.hold(s.program_files() + "\\" + name, sharing_or_read_only)
        check(uninstall(s, "/S").wait(60) == 1, "the uninstall with a held file did not end with 1")
        check(remains(s) == [name, "Brimel\\Skins", "uninstall entry"], "left: %s" % remains(s))
        check(os.path.exists(os.path.join(s.windows_folder(), UNINSTALLER[0])), "the uninstaller went away")
        holder.kill()
        time.sleep(1)
        check(uninstall(s, "/S").wait(60) == 0, "the second run did not end with 0")
        expect_uninstalled(s, product)
    return scenario


def uninstall_folder_missing(s):
    """Registered, but no product folder where the registry says: no success."""
    product = install_for_uninstall(s)
    shutil.rmtree(product)
    check(uninstall(s, "/S").wait(60) == 6, "a missing product folder did not end with 6")
    check(s.reg_values(UNINSTALL_KEY) is not None, "the entry was removed")
    check(os.path.exists(os.path.join(s.windows_folder(), UNINSTALLER[0])), "the uninstaller went away")


@contextlib.contextmanager
def japanese_code_page(s):
    """Programs started meanwhile run with the ANSI code page 932; the glibc
    locale Wine needs for it is made once (Debian's locales package)."""
    locales = os.path.join(s.root, "e2e", "locales")
    made = os.path.join(locales, "ja_JP.UTF-8")
    if not os.path.isdir(made):
        os.makedirs(locales, exist_ok=True)
        subprocess.run(["localedef", "-i", "ja_JP", "-f", "UTF-8", made], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        check(os.path.isdir(made), "no ja_JP.UTF-8 locale could be made")
    saved = dict(s.env)
    s.env.update(LOCPATH=locales, LC_ALL="ja_JP.UTF-8")
    s.encoding = "cp932"
    try:
        yield
    finally:
        s.env.clear()
        s.env.update(saved)
        s.encoding = "latin-1"


def uninstall_double_byte_folder(s):
    """A Program Files folder ending in katakana SO, 0x83 0x5C in code page
    932: the product folder inside it is found and removed."""
    folder = "C:\\Program Files\\\u30bd"
    with japanese_code_page(s):
        # reg.exe would mangle the name on its command line; regedit reads it from a UTF-16 file.
        script = os.path.join(s.dir, "program-files.reg")
        with open(script, "w", encoding="utf-16", newline="\r\n") as f:
            f.write("Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\"
                    "CurrentVersion]\n\"ProgramFilesDir\"=\"%s\"\n" % folder.replace("\\", "\\\\"))
        s.wine("regedit", "/s", "Z:" + script.replace("/", "\\"))
        check(s.program_files() == folder, "Program Files is %r" % s.program_files())
        os.makedirs(s.unix(folder))
        product = install_for_uninstall(s)
        check(uninstall(s, "/S").wait(60) == 0, "the silent uninstall did not end with 0")
        expect_uninstalled(s, product)


# One row per uninstall case; each installs with the real installer first.
UNINSTALL_CASES = {
    "silent": uninstall_silent,
    "interactive": uninstall_interactive,
    "messenger_runs": uninstall_while_messenger_runs,
    "messenger_never_quits": uninstall_messenger_never_quits,
    "held_file": uninstall_held_file("read"),
    "read_only_file": uninstall_held_file("read-only"),
    "folder_missing": uninstall_folder_missing,
    "double_byte_folder": uninstall_double_byte_folder,
}


def uninstall_table(s):
    for name, case in UNINSTALL_CASES.items():
        s.reset()
        try:
            case(s)
        except Failure as failure:
            raise Failure("%s: %s" % (name, failure))

SCENARIOS = {
    "welcome_escape": welcome_escape,
    "screen_reader": screen_reader,
    "fresh_install": fresh_install,
    "desktop_shell": desktop_shell,
    "accept_first": accept_first,
    "keyboard_tab": keyboard(["Tab", "space", "Tab", "Return", "Return"]),
    "keyboard_mnemonics": keyboard(["alt+a", "alt+b", "alt+b"]),
    "windows_versions": windows_versions,
    "old_rich_edit": old_rich_edit,
    "running_messenger_quits": running_messenger_quits,
    "running_messenger_never_quits": running_messenger_never_quits,
    "locked_main_program": locked_main_program,
    "predecessor": predecessor,
    "resize": resize,
    "high_dpi": high_dpi,
    "planted_dlls": planted_dlls,
    "planted_dlls_install": planted_dlls_install,
    "damaged_installer": damaged_installer,
    "license_corpus": license_corpus,
    "full_disk": full_disk,
    "in_the_way": in_the_way,
    "shell_folders": shell_folders,
    "second_copy": second_copy,
    "release_install": release_install,
    "uninstall": uninstall_table,
}

if __name__ == "__main__":
    sys.exit(run(SCENARIOS, sys.argv[1:]))
