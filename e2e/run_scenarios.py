#!/usr/bin/python3
"""run_scenarios.py [--only WORD] PATH...: runs every scenario file (*.scn) found under the
paths given, each in a fresh hostsim.exe and Velsarom.exe under wine, and prints one line per
scenario, PASS or FAIL with the first difference. Exits 1 when any failed. The format is
described in e2e/scenarios/README.md; e2e/run_scenarios.sh sets up the display and wine.

Environment: BUILD_WIN (the Windows build), VELSAROM_WINE (the wine loader), DISPLAY, WINEPREFIX.
"""
import logging
import math
import os
import shlex
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

import ezdxf
from ezdxf.math import Vec3

# Font lookups of the renderer for the host's text styles are no finding.
logging.getLogger("matplotlib").setLevel(logging.ERROR)

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

HOST_OPTIONS = {"delay", "hold", "command-delay", "export-write", "lose-exports"}
STEPS = {"click", "click-nowait", "set", "check", "uncheck", "choose", "page", "answer",
         "control", "host-line", "host-history-lacks", "close-host", "close", "restart", "wait"}
EXPECTATIONS = {"count", "line", "text", "text-rotation", "text-style", "label", "mark", "no-text",
                "texts", "circle", "appdata", "marks-area", "header", "layer", "setting",
                "tolerance"}


class ScenarioError(Exception):
    """A scenario file that cannot be run as written: names the line."""


class LockError(Exception):
    """The program's folder could not be made read-only on this machine."""


@dataclass
class Scenario:
    path: Path
    title: str = ""
    drawing: Path | None = None
    folder: str = "run"
    read_only: bool = False  # the program's folder takes no writes, not even root's
    settings: list = field(default_factory=list)  # (section, key, value)
    host: list = field(default_factory=list)  # hostsim.exe options
    user: list = field(default_factory=list)  # lines of the scripted user's file
    host_vars: list = field(default_factory=list)  # (line, name, value) the host opens with
    host_vars_after: list = field(default_factory=list)  # (line, name, value) it ends with
    steps: list = field(default_factory=list)  # (line, text)
    expect: list = field(default_factory=list)  # (line, verb, words)

    @property
    def name(self) -> str:
        return self.path.stem


def parse(path: Path) -> Scenario:
    s = Scenario(path)
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        verb, _, rest = line.partition(" ")
        rest = rest.strip()
        words = rest.split()

        def need(count: int) -> None:
            if len(words) < count:
                raise ScenarioError(f"line {number}: '{verb}' needs {count} arguments: {line}")

        if verb == "title":
            s.title = rest
        elif verb == "drawing":
            need(1)
            s.drawing = (path.parent / rest).resolve()
            if not s.drawing.is_file():
                raise ScenarioError(f"line {number}: no drawing {s.drawing}")
        elif verb == "folder":
            need(1)
            s.folder = rest
        elif verb == "folder-read-only":
            s.read_only = True
        elif verb == "setting" and not s.steps:
            need(3)
            s.settings.append((words[0], words[1], rest.split(None, 2)[2]))
        elif verb == "host" and words[:1] == ["set"]:
            # A value the user's host holds before anything is typed: NAME=VALUE to the line's end.
            need(2)
            setting = rest.split(None, 1)[1]
            if "=" not in setting:
                raise ScenarioError(f"line {number}: host set NAME=VALUE expected: {line}")
            s.host += ["--set", setting]
        elif verb == "host":
            need(2)
            if words[0] not in HOST_OPTIONS or len(words) != 2:
                raise ScenarioError(f"line {number}: unknown host option: {line}")
            s.host += [f"--{words[0]}", words[1]]
        elif verb == "user":
            need(1)
            s.user.append(rest)
        elif verb == "host-variable":
            need(2)
            # Before the first step: as the host opened the drawing; after one: as it held it when
            # its window closed.
            target = s.host_vars_after if s.steps else s.host_vars
            target.append((number, words[0].upper(), rest.split(None, 1)[1]))
        elif verb in STEPS:
            s.steps.append((number, line))
        elif verb in EXPECTATIONS:
            # Double quotes keep a value with blanks together ("6.00  ").
            try:
                s.expect.append((number, verb, shlex.split(rest)))
            except ValueError as e:
                raise ScenarioError(f"line {number}: {e}: {line}") from None
        else:
            raise ScenarioError(f"line {number}: unknown keyword '{verb}'")
    if s.drawing is None:
        raise ScenarioError("no 'drawing' line")
    return s


# ---- running ----

def winpath(p: Path) -> str:
    return "Z:" + str(p).replace("/", "\\")


class Wine:
    def __init__(self, build: Path):
        self.loader = os.environ.get("VELSAROM_WINE", "/usr/lib/wine/wine64")
        self.env = dict(os.environ, LC_ALL="ja_JP.UTF-8")
        self.build = build
        self.driver = build / "e2e/scenariodriver/scenariodriver.exe"
        self.closewin = build / "e2e/closewin/closewin.exe"
        self.hostsim = build / "hostsim/win32/hostsim.exe"
        self.velsarom = build / "shell/Velsarom.exe"
        self.scratch = build / "e2e-run/scenarios/.wine-output"
        self.scratch.parent.mkdir(parents=True, exist_ok=True)

    def start(self, cwd: Path, *args, env: dict | None = None) -> subprocess.Popen:
        return subprocess.Popen([self.loader, *map(str, args)], cwd=cwd, env=env or self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def run(self, *args, timeout: float = 60, output: Path | None = None) -> tuple[int, str]:
        # Output into a file, never a pipe: a Windows process that the program starts (wine's
        # desktop process, a Velsarom started again) inherits it and would hold a pipe open
        # after the program itself has ended.
        out_path = output or self.scratch
        with open(out_path, "wb") as out:
            code = subprocess.run([self.loader, *map(str, args)], env=self.env, stdout=out,
                                  stderr=subprocess.DEVNULL, timeout=timeout).returncode
        return code, out_path.read_bytes().decode("utf-8", "replace").replace("\r", "")

    def close(self, class_pattern: str, title: str, ms: int) -> int:
        return self.run(self.closewin, "--class", class_pattern, title, ms,
                        timeout=ms / 1000 + 30)[0]


def write_settings(path: Path, settings: list) -> None:
    sections: dict = {}
    for section, key, value in settings:
        sections.setdefault(section, []).append(f"{key}={value}")
    text = "".join(f"[{s}]\r\n" + "".join(f"{kv}\r\n" for kv in kvs) for s, kvs in sections.items())
    # As the program writes a new file: UTF-16 with a byte-order mark.
    path.write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))


def read_settings(path: Path) -> dict:
    raw = path.read_bytes()
    text = raw.decode("utf-16") if raw[:2] in (b"\xff\xfe", b"\xfe\xff") else raw.decode("cp932")
    out, section = {}, ""
    for line in text.splitlines():
        if line.startswith("["):
            section = line.strip("[]")
        elif "=" in line:
            key, _, value = line.partition("=")
            out[(section, key)] = value
    return out


def ended(process: subprocess.Popen, seconds: float) -> bool:
    try:
        process.wait(timeout=seconds)
        return True
    except subprocess.TimeoutExpired:
        return False


def lock_folder(folder: Path) -> None:
    """Makes the folder and the files in it read-only for the programs under wine. Wine runs as
    this process's user; for root, permission bits (and with them wine's read-only attribute)
    are no bar, so root locks with the immutable flag (chattr +i: writes, new files and
    deletions fail with EPERM) or, where the file system
    has no such flag, with a read-only bind mount. Proven by a write that must fail."""
    entries = [*folder.iterdir(), folder]
    if os.geteuid() != 0:
        for e in entries:
            e.chmod(e.stat().st_mode & ~0o222)
    elif subprocess.run(["chattr", "+i", *map(str, entries)], capture_output=True).returncode:
        for cmd in (["mount", "--bind", str(folder), str(folder)],
                    ["mount", "-o", "remount,bind,ro", str(folder)]):
            r = subprocess.run(cmd, capture_output=True, text=True)
            if r.returncode:
                unlock_folder(folder)
                raise LockError(f"the folder cannot be made read-only here ({' '.join(cmd[:3])}:"
                                    f" {r.stderr.strip()})")
    try:
        (folder / "write-probe").write_bytes(b"")
    except OSError:
        return
    unlock_folder(folder)
    raise LockError("the folder took a write after it was made read-only")


def unlock_folder(folder: Path) -> None:
    """Undoes lock_folder (also one left behind by an interrupted run)."""
    if not folder.is_dir():
        return
    # mountpoint reads the mount table: a bind mount within one file system looks like a plain
    # folder to os.path.ismount.
    while subprocess.run(["mountpoint", "-q", str(folder)]).returncode == 0:
        if subprocess.run(["umount", str(folder)], capture_output=True).returncode:
            break
    entries = [*folder.iterdir(), folder]
    if os.geteuid() == 0:
        subprocess.run(["chattr", "-i", *map(str, entries)], capture_output=True)
    for e in entries:
        e.chmod(e.stat().st_mode | 0o200)


def run_one(s: Scenario, wine: Wine, art_root: Path, run_root: Path) -> tuple[bool, str]:
    art = art_root / s.name
    run = run_root / s.name / s.folder
    # The host's files lie beside the program's folder, so that the host saves its drawing also
    # when that folder takes no writes.
    host_files = run_root / s.name / "host"
    shutil.rmtree(art, ignore_errors=True)
    unlock_folder(run)
    shutil.rmtree(run_root / s.name, ignore_errors=True)
    art.mkdir(parents=True)
    run.mkdir(parents=True)
    host_files.mkdir()
    shutil.copy(wine.velsarom, run / "Velsarom.exe")
    drawing = host_files / s.drawing.name
    shutil.copy(s.drawing, drawing)
    if s.settings:
        write_settings(run / "Velsarom.ini", s.settings)
    saved = host_files / "host-saved.dxf"
    variables = host_files / "variables.txt"
    variables_after = host_files / "variables-after.txt"
    host_args = [winpath(drawing), "--save", winpath(saved), "--variables", winpath(variables),
                 "--variables-after", winpath(variables_after), *s.host]
    if s.user:
        (host_files / "actions.txt").write_text("\n".join(s.user) + "\n", encoding="utf-8")
        host_args += ["--script", winpath(host_files / "actions.txt")]
    steps = host_files / "steps.txt"
    # {folder}: the program's folder as the program names it (in the messages it shows).
    steps.write_text("".join(f"{n} {t.replace('{folder}', winpath(run))}\n" for n, t in s.steps),
                     encoding="utf-8")
    if s.read_only:
        try:
            lock_folder(run)
        except LockError as e:
            return False, str(e)

    started = []
    began = time.monotonic()
    timing = open(art / "timing.txt", "w")

    def phase(name: str) -> None:
        timing.write(f"{time.monotonic() - began:6.1f} s  {name}\n")
        timing.flush()

    try:
        host = wine.start(run, wine.hostsim, *host_args)
        started.append(host)
        # Velsarom looks for the host only when a button is clicked, and the driver waits for
        # the host: all three start together.
        # Each click's time and the waits it asked for, one line per click (also for a
        # Velsarom the driver starts again).
        clicks = dict(wine.env, VELSAROM_TIMING=winpath(art / "clicks.txt"))
        started.append(wine.start(run, run / "Velsarom.exe", env=clicks))
        out_path = art / "driver.out"
        shot = host_files / "shot-taken"
        with open(out_path, "wb") as out:
            # Into a file, never a pipe: a Windows process that the driver starts (wine's own,
            # a Velsarom started again) inherits it and would hold a pipe open.
            driver = subprocess.Popen([wine.loader, str(wine.driver), winpath(steps),
                                       winpath(run / "Velsarom.exe"), winpath(shot)],
                                      env=clicks, stdout=out, stderr=subprocess.DEVNULL)
        started.append(driver)
        limit = time.monotonic() + 90 + 130 * max(1, len(s.steps))
        log = ""
        while driver.poll() is None and "shoot" not in log.splitlines():
            if time.monotonic() > limit:
                return False, "the driver did not finish in time"
            time.sleep(0.1)
            log = out_path.read_bytes().decode("utf-8", "replace").replace("\r", "")
        phase("steps done")
        if driver.poll() is None:
            # The last step is done and the window raised: both windows as the user sees them.
            time.sleep(0.3)
            subprocess.run(["import", "-window", "root", str(art / "screen.png")],
                           capture_output=True, timeout=60)
            shot.touch()
            if not ended(driver, 60):
                return False, "the driver did not close the programs within 60 s"
        log = out_path.read_bytes().decode("utf-8", "replace").replace("\r", "")
        out_path.unlink()
        (art / "driver.txt").write_text(log, encoding="utf-8")
        failure = next((l for l in log.splitlines() if l.startswith("fail ")), None)
        if failure or driver.returncode != 0:
            subprocess.run(["import", "-window", "root", str(art / "screen.png")],
                           capture_output=True, timeout=60)
            return False, failure_text(failure or f"driver exit {driver.returncode}")
        form = next((l[5:] for l in log.splitlines() if l.startswith("form ")), None)
        if form and form != "none":
            subprocess.run(["convert", str(art / "screen.png"), "-crop", form, "+repage",
                            str(art / "velsarom.png")], capture_output=True, timeout=60)
        if not ended(host, 20):
            return False, "hostsim.exe did not end after its window closed"
        phase("both closed")
    finally:
        # After a failure the windows may still be there: the next scenario must not find them.
        if any(p.poll() is None for p in started):
            wine.close("TForm1", "Velsarom", 3000)
            wine.close("Afx:*:8:*", "AutoCAD ", 3000)
        for p in started:
            if p.poll() is None:
                p.kill()
                p.wait()
        if s.read_only:
            unlock_folder(run)
    ok, why = check_host_variables(s.host_vars, variables, "opened the drawing")
    if ok:
        ok, why = check_host_variables(s.host_vars_after, variables_after, "ended")
    if not ok:
        return ok, why
    if not saved.is_file():
        return False, "the host saved no drawing"
    shutil.copy(saved, art / "drawing.dxf")
    try:
        ezdxf.readfile(saved)
    except (ezdxf.DXFError, OSError, UnicodeError, ValueError) as e:
        return False, f"ezdxf cannot read the saved drawing: {type(e).__name__}: {e}"
    phase("rendering")
    try:
        render(saved, art / "drawing.png")
    except Exception as e:  # noqa: BLE001 - a drawing that cannot be drawn is a finding
        return False, f"the drawing could not be rendered: {e}"
    phase("rendered")
    timing.close()
    return check(s, saved, run / "Velsarom.ini")


def failure_text(line: str) -> str:
    # "fail 12: what" from the driver: the scenario's line 12.
    if line.startswith("fail "):
        at, _, what = line[5:].partition(": ")
        return f"line {at}: {what}" if at.isdigit() else f"{at}: {what}"
    return line


def render(dxf: Path, png: Path) -> None:
    import render_dxf

    render_dxf.main(str(dxf), str(png), quiet=True)


# ---- expectations ----

def text_value(e) -> str | None:
    if e.dxftype() == "TEXT":
        return e.dxf.text
    if e.dxftype() == "MTEXT":
        return e.plain_text()
    return None


def text_point(e) -> tuple:
    if e.dxftype() == "TEXT" and (e.dxf.get("halign", 0) or e.dxf.get("valign", 0)):
        p = e.dxf.get("align_point", e.dxf.insert)
    else:
        p = e.dxf.insert
    return (p[0], p[1])


def numbers(words: list, at: int, count: int, line: int) -> list:
    try:
        return [float(w) for w in words[at:at + count]]
    except (ValueError, IndexError):
        raise ScenarioError(f"line {line}: numbers expected: {' '.join(words)}") from None


def heron(a: float, b: float, c: float) -> float:
    s = (a + b + c) / 2
    return math.sqrt(max(0.0, s * (s - a) * (s - b) * (s - c)))


def check_host_variables(wanted: list, variables: Path, when: str) -> tuple[bool, str]:
    """The system variables the host held at one moment (once it had opened the drawing, or
    when its window closed), as it shows them."""
    if not wanted:
        return True, ""
    if not variables.is_file():
        return False, "the host wrote no list of its variables"
    held = dict(l.split("=", 1) for l in variables.read_text(encoding="utf-8").splitlines()
                if "=" in l)
    for line, name, want in wanted:
        if name not in held:
            return False, f"line {line}: the host has no variable {name}"
        if held[name] != want:
            return False, f"line {line}: the host {when} with {name} {held[name]}, " \
                          f"expected {want}"
    return True, ""


def same_value(got, want: str, tol: float) -> bool:
    """A header value as ezdxf gives it against the scenario's text: numbers (and points, their
    coordinates in order) within tol, anything else as written."""
    if str(got) == want:
        return True
    try:
        wanted = [float(x) for x in want.replace(",", " ").split()]
        have = [float(x) for x in got] if isinstance(got, (tuple, list, Vec3)) else [float(got)]
    except (TypeError, ValueError):
        return False
    return len(have) >= len(wanted) > 0 and all(abs(a - b) <= tol for a, b in zip(have, wanted))


def check(s: Scenario, saved: Path, ini: Path) -> tuple[bool, str]:
    try:
        doc = ezdxf.readfile(saved)
    except (ezdxf.DXFError, OSError, UnicodeError, ValueError) as e:
        return False, f"ezdxf cannot read the saved drawing: {type(e).__name__}: {e}"
    auditor = doc.audit()
    if auditor.has_errors:
        return False, f"audit: {auditor.errors[0].message}"
    msp = list(doc.modelspace())
    tol = 0.01

    def on(kind: str, layer: str) -> list:
        return [e for e in msp if kind in ("*", e.dxftype()) and layer in ("*", e.dxf.layer)]

    def near(p, x: float, y: float, r: float) -> bool:
        return math.hypot(p[0] - x, p[1] - y) <= r

    for line, verb, w in s.expect:
        where = f"line {line}: "
        if verb == "tolerance":
            tol = numbers(w, 0, 1, line)[0]
        elif verb == "count":
            if len(w) != 3:
                raise ScenarioError(f"line {line}: count KIND LAYER N")
            got = len(on(w[0], w[1]))
            if got != int(w[2]):
                return False, f"{where}{got} {w[0]} on {w[1]}, expected {w[2]}"
        elif verb == "line":
            x1, y1, x2, y2 = numbers(w, 1, 4, line)
            if not any((near(e.dxf.start, x1, y1, tol) and near(e.dxf.end, x2, y2, tol)) or
                       (near(e.dxf.start, x2, y2, tol) and near(e.dxf.end, x1, y1, tol))
                       for e in on("LINE", w[0])):
                have = [f"({e.dxf.start[0]:.3f},{e.dxf.start[1]:.3f})-({e.dxf.end[0]:.3f},"
                        f"{e.dxf.end[1]:.3f})" for e in on("LINE", w[0])]
                return False, f"{where}no LINE on {w[0]} joins ({x1},{y1}) and ({x2},{y2}); " \
                              f"there are {', '.join(have[:6]) or 'none'}"
        elif verb == "text":
            # text LAYER VALUE [X Y R]
            if len(w) not in (2, 5):
                raise ScenarioError(f"line {line}: text LAYER VALUE [X Y R]")
            found = [e for e in on("*", w[0]) if text_value(e) == w[1]]
            if len(w) == 5:
                x, y, r = numbers(w, 2, 3, line)
                placed = [e for e in found if near(text_point(e), x, y, r)]
                if not placed:
                    at = ", ".join(f"({text_point(e)[0]:.1f},{text_point(e)[1]:.1f})" for e in found)
                    return False, f"{where}no text '{w[1]}' on {w[0]} within {r} of ({x},{y})" + \
                        (f"; it is at {at}" if at else "")
            elif not found:
                return False, f"{where}no text '{w[1]}' on {w[0]}"
        elif verb == "text-rotation":
            # text-rotation LAYER VALUE DEGREES: the text stands turned so (counter-clockwise).
            want = numbers(w, 2, 1, line)[0]
            found = [e for e in on("TEXT", w[0]) if e.dxf.text == w[1]]
            turned = [e.dxf.get("rotation", 0.0) for e in found]
            if not any(abs((r - want + 180) % 360 - 180) <= tol for r in turned):
                return False, f"{where}text '{w[1]}' on {w[0]} turned {turned}, expected {want}"
        elif verb == "text-style":
            # text-style LAYER VALUE HEIGHT STYLE [X Y R]: every text reading VALUE on the layer
            # (with X Y R: every one standing within R of X Y) has this height and text style.
            if len(w) not in (4, 7):
                raise ScenarioError(f"line {line}: text-style LAYER VALUE HEIGHT STYLE [X Y R]")
            height = numbers(w, 2, 1, line)[0]
            found = [e for e in on("*", w[0]) if text_value(e) == w[1]]
            if len(w) == 7:
                x, y, r = numbers(w, 4, 3, line)
                found = [e for e in found if near(text_point(e), x, y, r)]
            if not found:
                return False, f"{where}no text '{w[1]}' on {w[0]}" + \
                    (f" within {w[6]} of ({w[4]},{w[5]})" if len(w) == 7 else "")
            for e in found:
                size = e.dxf.get("height" if e.dxftype() == "TEXT" else "char_height", 0.0)
                got = (size, e.dxf.get("style"))
                if abs(got[0] - height) > tol or got[1] != w[3]:
                    return False, f"{where}text '{w[1]}' on {w[0]} has height {got[0]} and " \
                                  f"style {got[1]}, expected {height} and {w[3]}"
        elif verb == "label":
            # label LAYER VALUE X Y DEGREES: a TEXT reading VALUE stands at X Y (its alignment
            # point), turned by DEGREES counter-clockwise from +x.
            if len(w) != 5:
                raise ScenarioError(f"line {line}: label LAYER VALUE X Y DEGREES")
            x, y, want = numbers(w, 2, 3, line)
            found = [e for e in on("TEXT", w[0]) if e.dxf.text == w[1]]
            if not any(near(text_point(e), x, y, tol) and
                       abs((e.dxf.get("rotation", 0.0) - want + 180) % 360 - 180) <= tol
                       for e in found):
                have = ", ".join(f"({text_point(e)[0]:.2f},{text_point(e)[1]:.2f}) "
                                 f"{e.dxf.get('rotation', 0.0):.4f}°" for e in found)
                return False, f"{where}no text '{w[1]}' on {w[0]} at ({x},{y}) turned {want}°" + \
                    (f"; there are {have}" if have else "")
        elif verb == "mark":
            # mark LAYER NUMBER X Y R: the circle of radius R at X Y and the number, upright, at
            # its centre, both on the layer.
            if len(w) != 5:
                raise ScenarioError(f"line {line}: mark LAYER NUMBER X Y R")
            x, y, r = numbers(w, 2, 3, line)
            if not any(near(e.dxf.center, x, y, tol) and abs(e.dxf.radius - r) <= tol
                       for e in on("CIRCLE", w[0])):
                have = ", ".join(f"({e.dxf.center[0]:.2f},{e.dxf.center[1]:.2f}) r "
                                 f"{e.dxf.radius:.2f}" for e in on("CIRCLE", w[0]))
                return False, f"{where}no circle on {w[0]} at ({x},{y}) radius {r}; there are " \
                              f"{have or 'none'}"
            found = [e for e in on("TEXT", w[0]) if e.dxf.text == w[1]]
            if not any(near(text_point(e), x, y, tol) and
                       abs((e.dxf.get("rotation", 0.0) + 180) % 360 - 180) <= tol for e in found):
                have = ", ".join(f"({text_point(e)[0]:.2f},{text_point(e)[1]:.2f}) "
                                 f"{e.dxf.get('rotation', 0.0):.4f}°" for e in found)
                return False, f"{where}no upright number '{w[1]}' on {w[0]} at ({x},{y})" + \
                    (f"; there are {have}" if have else "")
        elif verb == "no-text":
            if any(text_value(e) == w[1] for e in on("*", w[0])):
                return False, f"{where}a text '{w[1]}' on {w[0]}, expected none"
        elif verb == "texts":
            got = sorted(v for e in on("*", w[0]) if (v := text_value(e)) is not None)
            want = sorted(w[1:])
            if got != want:
                return False, f"{where}texts on {w[0]} are {got}, expected {want}"
        elif verb == "circle":
            x, y, r = numbers(w, 1, 3, line)
            if not any(near(e.dxf.center, x, y, tol) and abs(e.dxf.radius - r) <= tol
                       for e in on("CIRCLE", w[0])):
                return False, f"{where}no CIRCLE on {w[0]} at ({x},{y}) radius {r}"
        elif verb == "appdata":
            # appdata VALUE APP X Y Z [REAL]: the text VALUE carries the point (X, Y, Z) (code
            # 1010) for APP, and with REAL also that real (code 1040) in the same data.
            if len(w) not in (5, 6):
                raise ScenarioError(f"line {line}: appdata VALUE APP X Y Z [REAL]")
            x, y, z = numbers(w, 2, 3, line)
            real = numbers(w, 5, 1, line)[0] if len(w) == 6 else None
            texts = [e for e in msp if text_value(e) == w[0]]
            if not texts:
                return False, f"{where}no text '{w[0]}'"
            got = []  # per text: its points and its reals
            for e in texts:
                if e.has_xdata(w[1]):
                    data = e.get_xdata(w[1])
                    got.append(([tuple(v.value) for v in data if v.code == 1010],
                                [v.value for v in data if v.code == 1040]))
            if not any(any(abs(p[0] - x) <= tol and abs(p[1] - y) <= tol and abs(p[2] - z) <= tol
                           for p in points) and
                       (real is None or any(abs(r - real) <= tol for r in reals))
                       for points, reals in got):
                have = [points + reals if real is not None else points for points, reals in got]
                return False, f"{where}text '{w[0]}' carries {have or 'no data'} for {w[1]}, " \
                              f"expected ({x}, {y}, {z})" + ("" if real is None else f" {real}")
        elif verb == "marks-area":
            # marks-area APP AREA: the triangles whose sides the number texts carry add up to AREA.
            area = numbers(w, 1, 1, line)[0]
            total = 0.0
            for e in msp:
                if text_value(e) is not None and e.has_xdata(w[0]):
                    for v in e.get_xdata(w[0]):
                        if v.code == 1010:
                            total += heron(*v.value)
            if abs(total - area) > tol:
                return False, f"{where}the marks' triangles add up to {total:.4f}, expected {area}"
        elif verb == "header":
            got = doc.header.get(w[0])
            if not same_value(got, " ".join(w[1:]), 1e-9):
                return False, f"{where}{w[0]} is {got}, expected {' '.join(w[1:])}"
        elif verb == "layer":
            if w[0] not in doc.layers:
                return False, f"{where}no layer {w[0]}"
        elif verb == "setting":
            if not ini.is_file():
                return False, f"{where}no settings file"
            got = read_settings(ini).get((w[0], w[1]))
            want = " ".join(w[2:])
            if got != want:
                return False, f"{where}setting {w[0]}.{w[1]} is {got}, expected {want}"
    return True, ""


def collect(paths: list) -> list:
    found = []
    for p in map(Path, paths):
        if p.is_dir():
            found += sorted(p.rglob("*.scn"))
        elif p.is_file():
            found.append(p)
        else:
            raise SystemExit(f"no scenario file or folder: {p}")
    return found


def main(argv: list) -> int:
    only = None
    if len(argv) > 2 and argv[1] == "--only":
        only, argv = argv[2], [argv[0]] + argv[3:]
    files = collect(argv[1:] or [HERE / "scenarios"])
    if only:
        files = [f for f in files if only in f.name]
    build = Path(os.environ["BUILD_WIN"])
    wine = Wine(build)
    art_root = build / "artifacts/scenarios"
    run_root = build / "e2e-run/scenarios"
    failed = 0
    for path in files:
        began = time.monotonic()
        try:
            scenario = parse(path)
            ok, why = run_one(scenario, wine, art_root, run_root)
            if not ok and why.startswith("start: "):
                # Programs that did not come up at all are the machine's trouble, not the
                # scenario's: once more, and said so.
                first = why
                ok, why = run_one(scenario, wine, art_root, run_root)
                print(f"note: {path.name} started a second time; the first: {first}", flush=True)
        except ScenarioError as e:
            ok, why = False, f"scenario file: {e}"
        except subprocess.TimeoutExpired as e:
            ok, why = False, f"timed out: {e}"
        except Exception as e:  # noqa: BLE001 - one scenario's trouble does not stop the rest
            ok, why = False, f"runner: {type(e).__name__}: {e}"
        seconds = time.monotonic() - began
        print(f"{'PASS' if ok else 'FAIL'} {path.name} ({seconds:.1f} s){'' if ok else ': ' + why}",
              flush=True)
        failed += not ok
    print(f"scenarios: {len(files) - failed} passed, {failed} failed; artifacts in {art_root}")
    return 1 if failed or not files else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
