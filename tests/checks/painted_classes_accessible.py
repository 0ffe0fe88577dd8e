#!/usr/bin/env python3
"""Every class under src/ that paints itself (declares paintEvent) must be readable by a screen
reader: an accessible interface registered for it by name in one of the *_accessible.cpp files,
or, for a mere decoration, a markAsDecoration(this) call in its body. Prints each class that has
neither and exits 1.
    painted_classes_accessible.py SOURCE_ROOT"""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".") / "src"
CLASS = re.compile(r"\b(?:class|struct)\s+(\w+)\s*(?:final\s*)?(?::[^;{]*)?\{")


def class_spans(text):
    """(name, start, end) of every class body in the text, nested ones included."""
    for match in CLASS.finditer(text):
        depth, i = 1, match.end()
        while i < len(text) and depth:
            depth += {"{": 1, "}": -1}.get(text[i], 0)
            i += 1
        yield match.group(1), match.end(), i


def innermost(spans, position):
    inside = [s for s in spans if s[1] <= position < s[2]]
    return min(inside, key=lambda s: s[2] - s[1])[0] if inside else None


def without_comments(text):
    return re.sub(r"//[^\n]*|/\*.*?\*/", "", text, flags=re.S)


sources = sorted(p for p in root.rglob("*") if p.suffix in (".h", ".cpp"))
registered = "".join(p.read_text() for p in sources if p.name.endswith("_accessible.cpp"))
painted, decorations = {}, set()
for path in sources:
    text = without_comments(path.read_text())
    spans = list(class_spans(text))
    for match in re.finditer(r"\bpaintEvent\s*\(", text):
        name = innermost(spans, match.start())
        if name:
            painted.setdefault(name, path)
    for match in re.finditer(r"\bmarkAsDecoration\s*\(\s*this\s*\)", text):
        decorations.add(innermost(spans, match.start()))

missing = [(name, path) for name, path in sorted(painted.items())
           if '"corvane::%s"' % name not in registered and name not in decorations]
for name, path in missing:
    print("%s (%s) paints itself but has no accessible interface" % (name, path.relative_to(root.parent)))
print("%d classes paint themselves; %d without an accessible interface" % (len(painted), len(missing)))
sys.exit(1 if missing or not painted else 0)
