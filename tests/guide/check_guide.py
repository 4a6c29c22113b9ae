#!/usr/bin/python3
"""check_guide.py [--pictures DIR] [--list]: the user's guide (docs/ja/*.md) against the
program's own texts.

Fails when
- a control's caption on the window (shell/TForm1.h) is named nowhere in the guide;
- a text that the program's code can show (every string literal with Japanese in it, in the
  product's folders, and the titles of its message boxes) is named nowhere in the guide;
- a picture or page that the guide links to does not exist.

A message built from pieces ("ファイル " + path + " を削除できません。") is looked for as its
pieces in order on one line of the guide, anything between them ("ファイル …\\Velsarom.dxf を
削除できません。"). So a new button or message without a section fails here, and adding the
section is all it takes: nothing is listed by hand, except the few texts below that the user
never sees.

--pictures DIR checks the pictures in DIR instead of the guide's own folder (the release checks
the pictures it has just made). --list prints every text looked for.
"""
import argparse
import re
import sys
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
GUIDE = REPO / "docs" / "ja"
# The product's code; tests, the simulated host, the real-window programs and benchmarks are not
# the program the user has.
PRODUCT_DIRS = ["shell", "workflows", "tools", "table", "annotation", "numbers", "geometry",
                "division", "hostlink", "dxf", "platform"]
# Texts of the code that the user never sees as the program's own, with the reason.
NOT_SHOWN = {
    # The host's words that the program reads from the host's command line or window titles.
    "hostlink/HostVocabulary.h": None,
    # The face name of the window's font.
    "shell/win32/MainWindow.cpp": None,
}
NOT_SHOWN_CAPTIONS = {
    "番号更新",  # disabled and placed out of sight: no user ever sees or uses it
}

JAPANESE = re.compile(r"[\u3000-\u30ff\u3400-\u9fff\uff00-\uffef]")
PUNCT = ["::", "->", "<<", ">>", "+=", "==", "!=", "&&", "||"]


def tokens(src: str):
    """C++ tokens: ('s', text) for a string literal (escapes decoded), ('p', text) otherwise.
    Comments are dropped; character literals become ('c', ...)."""
    i, n = 0, len(src)
    while i < n:
        ch = src[i]
        if ch.isspace():
            i += 1
        elif src.startswith("//", i):
            i = src.find("\n", i)
            i = n if i < 0 else i
        elif src.startswith("/*", i):
            j = src.find("*/", i + 2)
            i = n if j < 0 else j + 2
        elif ch == '"' or (ch in "uUL" and re.match(r'(u8|u|U|L)"', src[i:i + 3])):
            q = src.index('"', i)
            if q > i and src[q - 1] == "R":
                raise ValueError("raw string literals are not read")
            j, out = q + 1, []
            while src[j] != '"':
                if src[j] == "\\":
                    esc = src[j + 1]
                    out.append({"n": "\n", "t": "\t", "r": "\r", "0": "\0"}.get(esc, esc))
                    j += 2
                else:
                    out.append(src[j])
                    j += 1
            yield ("s", "".join(out))
            i = j + 1
        elif ch == "'":
            j = i + 1
            while src[j] != "'":
                j += 2 if src[j] == "\\" else 1
            yield ("c", src[i:j + 1])
            i = j + 1
        elif ch.isalnum() or ch == "_":
            j = i
            while j < n and (src[j].isalnum() or src[j] == "_"):
                j += 1
            yield ("p", src[i:j])
            i = j
        else:
            two = src[i:i + 2]
            if two in PUNCT:
                yield ("p", two)
                i += 2
            else:
                yield ("p", ch)
                i += 1


def join_adjacent(toks):
    """Adjacent string literals are one literal, as the compiler has it."""
    out = []
    for t in toks:
        if t[0] == "s" and out and out[-1][0] == "s":
            out[-1] = ("s", out[-1][1] + t[1])
        else:
            out.append(t)
    return out


WILD = None
OPEN, CLOSE = "([{", ")]}"
ENDS = {",", ";", "=", "return", "throw", "?", ":", "<<"}


def operand_right(toks, j):
    """Index after the operand that starts at j (at depth 0: up to + , ; ) and the like)."""
    depth = 0
    while j < len(toks):
        kind, text = toks[j]
        if kind == "p" and text in OPEN:
            depth += 1
        elif kind == "p" and text in CLOSE:
            if depth == 0:
                return j
            depth -= 1
        elif depth == 0 and kind == "p" and (text == "+" or text in ENDS):
            return j
        j += 1
    return j


def operand_left(toks, j):
    """Index of the first token of the operand that ends at j."""
    depth = 0
    while j >= 0:
        kind, text = toks[j]
        if kind == "p" and text in CLOSE:
            depth += 1
        elif kind == "p" and text in OPEN:
            if depth == 0:
                return j + 1
            depth -= 1
        elif depth == 0 and kind == "p" and (text == "+" or text in ENDS or text == "{"):
            return j + 1
        j -= 1
    return 0


def templates(toks):
    """Every '+' chain holding a Japanese literal, as its pieces (WILD for what is computed)."""
    used = set()
    for i, (kind, text) in enumerate(toks):
        if kind != "s" or i in used or not JAPANESE.search(text):
            continue
        # To the chain's start.
        start = i
        while start > 0 and toks[start - 1] == ("p", "+"):
            start = operand_left(toks, start - 2)
        pieces, j = [], start
        while True:
            end = operand_right(toks, j)
            if end == j + 1 and toks[j][0] == "s":
                pieces.append(toks[j][1])
                used.add(j)
            else:
                pieces.append(WILD)
            if end < len(toks) and toks[end] == ("p", "+"):
                j = end + 1
            else:
                break
        yield pieces


def fragments(pieces):
    """The fixed parts to find in order: pieces split at line breaks, trimmed, empty ones out."""
    out = []
    for p in pieces:
        if p is WILD:
            continue
        out.extend(f.strip() for f in p.split("\n") if f.strip())
    return out


def code_texts():
    """(what, fragments) for every text of the code the user can see."""
    found = {}
    for d in PRODUCT_DIRS:
        for path in sorted((REPO / d).rglob("*")):
            if path.suffix not in (".cpp", ".h"):
                continue
            rel = path.relative_to(REPO).as_posix()
            if rel in NOT_SHOWN:
                continue
            toks = join_adjacent(list(tokens(path.read_text(encoding="utf-8"))))
            for pieces in templates(toks):
                frags = fragments(pieces)
                if frags and not (len(frags) == 1 and frags[0] in NOT_SHOWN_CAPTIONS):
                    found.setdefault(tuple(frags), rel)
            # The titles of message boxes: Show(text, "Title").
            for k, t in enumerate(toks):
                if t == ("p", "Show") and k + 1 < len(toks) and toks[k + 1] == ("p", "("):
                    end = operand_right(toks, k + 2)
                    if toks[end] == ("p", ",") and toks[end + 1][0] == "s":
                        found.setdefault((toks[end + 1][1],), rel + " (message box title)")
    return found


CONTROL = re.compile(r'\bT(?:Button|CheckBox|RadioGroup|RadioButton|GroupBox|Label|TabSheet)'
                     r'\s+\w+\{"\w+",\s*"([^"]*)"(?:,\s*\{([^}]*)\})?')


def captions():
    """The captions of the window's controls and the items of its radio groups."""
    src = (REPO / "shell" / "TForm1.h").read_text(encoding="utf-8")
    out = []
    for m in CONTROL.finditer(src):
        out.append(m.group(1).strip())
        if m.group(2):
            out.extend(s.strip() for s in re.findall(r'"([^"]*)"', m.group(2)))
    return [c for c in dict.fromkeys(out) if c and c not in NOT_SHOWN_CAPTIONS]


def slug(heading: str) -> str:
    """A heading's anchor as the HTML pages get it (python-markdown's unicode slugs)."""
    value = re.sub(r"[^\w\s-]", "", heading).strip().lower()
    return re.sub(r"[-\s]+", "-", value)


def headings(page: Path):
    return {slug(m) for m in re.findall(r"^#+ (.+)$", page.read_text(encoding="utf-8"), re.M)}


def named(lines, frags):
    pattern = re.compile(".*?".join(re.escape(f) for f in frags))
    return any(pattern.search(line) for line in lines)


def main() -> int:
    ap = argparse.ArgumentParser()
    ap.add_argument("--pictures", type=Path, default=None)
    ap.add_argument("--list", action="store_true")
    args = ap.parse_args()
    pages = sorted(GUIDE.glob("*.md"))
    if not pages:
        print(f"no guide pages under {GUIDE}")
        return 1
    lines = [ln for p in pages for ln in p.read_text(encoding="utf-8").splitlines()]
    faults = []

    caps = captions()
    if len(caps) < 20:
        faults.append(f"only {len(caps)} captions read from shell/TForm1.h: the reader is wrong")
    for c in caps:
        if args.list:
            print(f"caption  {c}")
        if not named(lines, [c]):
            faults.append(f"caption not in the guide: {c}")

    texts = code_texts()
    if len(texts) < 20:
        faults.append(f"only {len(texts)} texts read from the code: the reader is wrong")
    for frags, where in texts.items():
        if args.list:
            print(f"text     {' … '.join(frags)}    ({where})")
        if not named(lines, list(frags)):
            faults.append(f"text not in the guide: {' … '.join(frags)}  ({where})")

    pictures = args.pictures or GUIDE
    link = re.compile(r"\]\(([^)#\s]*)(?:#([^)]*))?\)")
    for p in pages:
        for n, line in enumerate(p.read_text(encoding="utf-8").splitlines(), 1):
            for target, anchor in link.findall(line):
                if re.match(r"[a-z]+:", target):
                    continue
                base = pictures if target.endswith(".png") else GUIDE
                if target and not (base / target).is_file():
                    faults.append(f"{p.name}:{n}: links to {target}, which is not in {base}")
                elif anchor and anchor not in headings(GUIDE / (target or p.name)):
                    faults.append(f"{p.name}:{n}: no heading {anchor} in {target or p.name}")

    for f in faults:
        print(f)
    print(f"guide: {len(pages)} pages, {len(caps)} captions, {len(texts)} texts of the code, "
          f"{len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
