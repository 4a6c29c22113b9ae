#!/usr/bin/python3
"""guide_html.py PICTURES OUT: the user's guide (docs/ja/*.md) as HTML pages for reading offline
in a browser on Windows: OUT/guide/NAME.html per page with OUT/guide/img/ (copied from PICTURES,
the folder that holds img/), and OUT/hajimeni.html, the first steps, at the archive's top.
Markdown through python3-markdown (Debian package); one style sheet inside each page, no script,
nothing fetched from elsewhere."""
import html
import re
import shutil
import sys
from pathlib import Path

import markdown
from markdown.extensions.toc import slugify_unicode

REPO = Path(__file__).resolve().parents[1]
GUIDE = REPO / "docs" / "ja"

STYLE = """
body { font-family: "Yu Gothic UI", "Meiryo", "MS PGothic", "IPAPGothic", sans-serif;
       max-width: 60em; margin: 0 auto; padding: 0 1.2em 3em; line-height: 1.7; color: #222; }
nav { border-bottom: 1px solid #ccc; padding: .6em 0; font-size: .9em; }
nav a { margin-right: 1em; }
h1 { border-bottom: 2px solid #357; padding-bottom: .2em; }
h2 { border-left: 6px solid #357; padding-left: .4em; margin-top: 2em; }
table { border-collapse: collapse; margin: 1em 0; }
th, td { border: 1px solid #bbb; padding: .3em .6em; vertical-align: top; }
th { background: #eef2f6; }
img { max-width: 100%; border: 1px solid #999; }
table:has(img) { width: 100%; table-layout: fixed; }
td img { width: 100%; }
code { background: #f3f3f3; padding: 0 .2em; }
"""

PAGES = ["index", "start", "install", "window", "buttons", "settings", "messages", "output",
         "limits"]


def title_of(text: str) -> str:
    m = re.search(r"^# (.+)$", text, re.M)
    return m.group(1).strip() if m else "Velsarom"


def convert(text: str, prefix: str) -> str:
    # Links between pages: NAME.md -> NAME.html (under prefix, for a page outside guide/).
    text = re.sub(r"\]\(([\w-]+)\.md(#[^)]*)?\)",
                  lambda m: f"]({prefix}{m.group(1)}.html{m.group(2) or ''})", text)
    if prefix:
        text = re.sub(r"\]\((img/[^)]+)\)", lambda m: f"]({prefix}{m.group(1)})", text)
    md = markdown.Markdown(extensions=["tables", "toc"],
                           extension_configs={"toc": {"slugify": slugify_unicode}})
    # A picture opens at full size when clicked.
    return re.sub(r'(<img [^>]*src="([^"]+)"[^>]*>)', r'<a href="\2">\1</a>', md.convert(text))


def page(text: str, prefix: str) -> str:
    titles = {name: title_of((GUIDE / f"{name}.md").read_text(encoding="utf-8"))
              for name in PAGES}
    nav = " ".join(f'<a href="{prefix}{name}.html">{html.escape(titles[name].split("：")[0])}</a>'
                   for name in PAGES)
    return ("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
            f"<title>{html.escape(title_of(text))} - Velsarom</title>\n"
            f"<style>{STYLE}</style>\n</head>\n<body>\n<nav>{nav}</nav>\n"
            f"{convert(text, prefix)}\n</body>\n</html>\n")


def main(pictures: Path, out: Path) -> int:
    guide = out / "guide"
    guide.mkdir(parents=True, exist_ok=True)
    shutil.copytree(pictures / "img", guide / "img", dirs_exist_ok=True)
    for name in PAGES:
        text = (GUIDE / f"{name}.md").read_text(encoding="utf-8")
        (guide / f"{name}.html").write_text(page(text, ""), encoding="utf-8")
    start = (GUIDE / "start.md").read_text(encoding="utf-8")
    (out / "hajimeni.html").write_text(page(start, "guide/"), encoding="utf-8")
    missing = sorted(set(p.stem for p in GUIDE.glob("*.md")) - set(PAGES))
    if missing:
        print(f"guide_html: pages not in the list: {missing}", file=sys.stderr)
        return 1
    print(f"guide_html: {len(PAGES)} pages in {guide}, hajimeni.html in {out}")
    return 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1]), Path(sys.argv[2])))
