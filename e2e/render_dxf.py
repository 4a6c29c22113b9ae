#!/usr/bin/python3
"""render_dxf.py IN.dxf OUT.png: draws a DXF's model space to a PNG with ezdxf and matplotlib."""
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
from ezdxf import recover  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402


def main(src: str, dst: str, quiet: bool = False) -> None:
    doc, auditor = recover.readfile(src)
    fig = plt.figure(figsize=(8, 8))
    ax = fig.add_axes([0, 0, 1, 1])
    ax.set_facecolor("black")
    ctx = RenderContext(doc)
    Frontend(ctx, MatplotlibBackend(ax)).draw_layout(doc.modelspace(), finalize=True)
    fig.savefig(dst, dpi=100, facecolor="black")
    plt.close(fig)
    if not quiet:
        print(f"{dst}: {len(doc.modelspace())} entities, {len(auditor.errors)} audit errors")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
