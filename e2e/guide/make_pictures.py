#!/usr/bin/python3
"""make_pictures.py ARTIFACTS WINDOW_DIR OUT_DIR: the guide's pictures (docs/ja/img) from a run
of the scenarios (ARTIFACTS = $BUILD_WIN/artifacts/scenarios) and the window's pages
(WINDOW_DIR, from scripts/guide_pictures.sh). Drawings are rendered with ezdxf (e2e/render_dxf.py):
a "before" from the scenario's input drawing, an "after" from the drawing the host saved. Every
picture is reduced to a few colours, so that the repository stays small.

Fails when a source is missing: the guide must not keep a picture of an older program."""
import subprocess
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parents[1]
sys.path.insert(0, str(REPO / "e2e"))
import render_dxf  # noqa: E402

PARCEL = REPO / "e2e/demo/parcel.dxf"
DRAWINGS = REPO / "e2e/scenarios/drawings"
# Parts of the pentagon parcel that the tools change (x1, y1, x2, y2 in drawing units).
CORNER_K1 = (-250, -250, 3750, 3750)
MARK_1 = (0, 0, 12000, 12000)
NEIGHBOUR = (18000, -2000, 30000, 10000)
BASE_LINE = (-1000, -3000, 11000, 7000)
# The tables, at the corners the scenarios pick.
AREA_TABLE = (39500, 14700, 55500, 20500)
AREA_TABLE_ONE_ROW = (39500, 16300, 55500, 20500)
COORDINATE_TABLE = (39500, 33000, 55000, 40500)
SURVEY_PARCEL = REPO / "e2e/demo/survey-parcel.dxf"
# The survey parcel's curved side K8-K9, and the two tables of e2e/guide/segments.scn.
CURVED_SIDE = (24000, 22000, 42000, 36000)
SEGMENT_AREA_TABLE = (43500, 19500, 59500, 36500)
SEGMENT_COORDINATE_TABLE = (61500, 18500, 74500, 36500)

# picture name: (scenario whose saved drawing is shown, or an input file), window or None
DRAWN = {
    "auto-before": (PARCEL, None),
    "auto-after": ("auto-three-side", None),
    "sansha-after": ("auto-base-height", None),
    "shape-after": ("shape-first", None),
    "divide-after": ("divide", None),
    "group-after": ("divide-then-group", None),
    "onepoint-before": (DRAWINGS / "triangle.dxf", None),
    "onepoint-after": ("one-point", None),
    "twosides-before": (DRAWINGS / "corner.dxf", None),
    "twosides-after": ("two-sides", None),
    "table-after": ("table-all", AREA_TABLE),
    "table-selected-after": ("table-selected", AREA_TABLE_ONE_ROW),
    "baseline-before": (DRAWINGS / "baseline.dxf", BASE_LINE),
    "baseline-after": ("baseline", BASE_LINE),
    "exchange-after": ("baseline-exchange", BASE_LINE),
    "takeback-after": ("baseline-takeback", BASE_LINE),
    "rotate-before": (PARCEL, CORNER_K1),
    "rotate-after": ("tools-rotate-text", CORNER_K1),
    "move-before": ("auto-three-side", MARK_1),
    "move-after": ("tools-move-mark-arrow", MARK_1),
    "move-line-after": ("tools-move-mark-line", MARK_1),
    "length-before": (PARCEL, NEIGHBOUR),
    "length-after": ("tools-write-length", NEIGHBOUR),
    "coord-before": (DRAWINGS / "pentagon.dxf", None),
    "coord-after": ("coordinate", COORDINATE_TABLE),
    "start-before": (SURVEY_PARCEL, None),
    "start-after": ("demo", None),
    "segments-before": (SURVEY_PARCEL, CURVED_SIDE),
    "segments-after": ("segments", CURVED_SIDE),
    "segments-table-after": ("segments", SEGMENT_AREA_TABLE),
    "segments-coord-after": ("segments", SEGMENT_COORDINATE_TABLE),
    # 検算: the drawing after 自動 with its corner K5 moved; it changes nothing in the drawing,
    # so its "after" is the message it shows (SNAPPED).
    "kenzan-before": (DRAWINGS / "kenzan-moved.dxf", None),
}
# picture name: (scenario, snapshot): a message box as the scenario's snapshot step kept it.
SNAPPED = {
    "kenzan-after": ("kenzan-moved-corner", "kenzan-message"),
}
# The window's pages, as scripts/guide_pictures.sh saves them.
WINDOW = ["window-heron", "window-sansha", "window-settei1", "window-settei2", "window-tool"]
# The scenario files the pictures come from, for the runner.
SCENARIOS = sorted({src for src, _ in DRAWN.values() if isinstance(src, str)} |
                   {src for src, _ in SNAPPED.values()})


def reduce(src: Path, dst: Path, colours: int) -> None:
    subprocess.run(["convert", str(src), "-colors", str(colours), "-strip", f"PNG8:{dst}"],
                   check=True)


def main(artifacts: Path, window_dir: Path, out: Path) -> int:
    out.mkdir(parents=True, exist_ok=True)
    missing = []
    with tempfile.TemporaryDirectory() as tmp:
        for name, (src, window) in DRAWN.items():
            dxf = src if isinstance(src, Path) else artifacts / src / "drawing.dxf"
            if not dxf.is_file():
                missing.append(f"{name}: {dxf}")
                continue
            full = Path(tmp) / f"{name}.png"
            render_dxf.main(str(dxf), str(full), quiet=True, dpi=100, inches=7, window=window)
            reduce(full, out / f"{name}.png", 16)
    for name, (scenario, snapshot) in SNAPPED.items():
        box = artifacts / scenario / f"{snapshot}-box.png"
        if not box.is_file():
            missing.append(f"{name}: {box}")
            continue
        reduce(box, out / f"{name}.png", 64)
    for name in WINDOW:
        shot = window_dir / f"{name}.png"
        if not shot.is_file():
            missing.append(f"{name}: {shot}")
            continue
        reduce(shot, out / f"{name}.png", 64)
    for m in missing:
        print(f"make_pictures: no source for {m}", file=sys.stderr)
    total = len(DRAWN) + len(SNAPPED) + len(WINDOW)
    print(f"make_pictures: {total - len(missing)} pictures in {out}")
    return 1 if missing else 0


if __name__ == "__main__":
    if len(sys.argv) == 2 and sys.argv[1] == "--scenarios":
        print("\n".join(SCENARIOS))
        sys.exit(0)
    sys.exit(main(Path(sys.argv[1]), Path(sys.argv[2]), Path(sys.argv[3])))
