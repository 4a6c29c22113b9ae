#!/usr/bin/python3
"""render_dxf.py IN.dxf OUT.png [DPI]: draws a DXF's model space to a PNG with ezdxf and
matplotlib (100 dots per inch unless DPI is given). Every text is drawn in IPA Gothic (Debian
package fonts-ipafont-gothic): the drawings carry Japanese texts in styles whose fonts (txt,
the host's own) are not here, and matplotlib's default face has no Japanese glyphs."""
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
from ezdxf import recover  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402
from ezdxf.tools.fonts import FontFace  # noqa: E402
from matplotlib import font_manager  # noqa: E402

JAPANESE_FAMILY = "IPAGothic"
# Where Debian installs it, for a matplotlib whose font list was made before the font came.
JAPANESE_FILES = ["/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                  "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"]


def japanese_font() -> font_manager.FontProperties:
    face = font_manager.FontProperties(family=JAPANESE_FAMILY)
    try:
        font_manager.findfont(face, fallback_to_default=False)
        return face
    except ValueError:
        pass
    for path in JAPANESE_FILES:
        try:
            font_manager.fontManager.addfont(path)
            font_manager.findfont(face, fallback_to_default=False)
            return face
        except (OSError, ValueError):
            continue
    raise RuntimeError("the IPA Gothic font is not installed (fonts-ipafont-gothic)")


def main(src: str, dst: str, quiet: bool = False, dpi: int = 100, inches: float = None,
         window=None) -> None:
    """window: (xmin, ymin, xmax, ymax) of the drawing to show, instead of all of it; inches:
    the picture's longer side (otherwise as ezdxf sizes it)."""
    font = japanese_font()
    doc, auditor = recover.readfile(src)
    fig = plt.figure(figsize=(8, 8))
    ax = fig.add_axes([0, 0, 1, 1])
    ax.set_facecolor("black")
    ctx = RenderContext(doc)
    for style in ctx.fonts:
        ctx.fonts[style] = FontFace(ttf="ipag.ttf", family=JAPANESE_FAMILY)
    backend = MatplotlibBackend(ax, font=font)
    Frontend(ctx, backend).draw_layout(doc.modelspace(), finalize=True)
    if window:
        ax.set_xlim(window[0], window[2])
        ax.set_ylim(window[1], window[3])
    if inches:
        (x0, x1), (y0, y1) = ax.get_xlim(), ax.get_ylim()
        longer = max(x1 - x0, y1 - y0)
        fig.set_size_inches(inches * (x1 - x0) / longer, inches * (y1 - y0) / longer)
    fig.savefig(dst, dpi=dpi, facecolor="black")
    plt.close(fig)
    if not quiet:
        print(f"{dst}: {len(doc.modelspace())} entities, {len(auditor.errors)} audit errors")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], dpi=int(sys.argv[3]) if len(sys.argv) > 3 else 100)
