#!/usr/bin/env python3
"""Every catalogue under src/i18n holds a finished translation of every text of the program's own
that the sources mark for translation: lupdate is run over the sources into a copy of each .ts,
and the copy must have no unfinished, new or vanished entry, and each translation must use the
same %1.. places (and %n) as its source. Prints every fault and exits 1.
    catalogues_complete.py LUPDATE SOURCE_ROOT"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

lupdate, root = sys.argv[1], pathlib.Path(sys.argv[2])
sources = sorted(str(p) for p in (root / "src").rglob("*") if p.suffix in (".h", ".cpp"))
catalogues = sorted((root / "src" / "i18n").glob("*.ts"))
faults = []


def places(text):
    return sorted(set(re.findall(r"%(?:\d+|n)", text or "")))


def text_of(element):
    # lupdate writes a carriage return as <byte value="xd"/>.
    return "".join(element.itertext()) if element is not None else ""


with tempfile.TemporaryDirectory() as work:
    for catalogue in catalogues:
        copy = pathlib.Path(work) / catalogue.name
        shutil.copy(catalogue, copy)
        run = subprocess.run([lupdate, "-no-obsolete", "-locations", "none", "-I", str(root / "src"), *sources,
                              "-ts", str(copy)], capture_output=True, text=True)
        if run.returncode != 0:
            faults.append("%s: lupdate failed: %s" % (catalogue.name, run.stderr.strip()))
            continue
        if copy.read_bytes() != catalogue.read_bytes():
            faults.append("%s differs from what lupdate makes of the sources (texts added or gone): "
                          "run the update_translations target and translate" % catalogue.name)
        count = 0
        for context in ET.parse(copy).getroot().iter("context"):
            name = context.findtext("name")
            for message in context.iter("message"):
                count += 1
                source = text_of(message.find("source"))
                translation = message.find("translation")
                kind = translation.get("type") if translation is not None else "missing"
                forms = [text_of(f) for f in translation.iter("numerusform")] or [text_of(translation)]
                if kind or not all(forms):
                    faults.append("%s: %s: %r is not translated (%s)" % (catalogue.name, name, source, kind or "empty"))
                    continue
                for form in forms:
                    if places(form) != places(source):
                        faults.append("%s: %s: %r uses %s, its translation %r uses %s" %
                                      (catalogue.name, name, source, places(source), form, places(form)))
        print("%s: %d texts" % (catalogue.name, count))

for fault in faults:
    print(fault)
print("%d catalogues, %d faults" % (len(catalogues), len(faults)))
sys.exit(1 if faults or not catalogues else 0)
