#!/usr/bin/env python3
"""The window program's translation file against the code.

translations.py update [LUPDATE]  brings translations/lumenrill_en.ts up to date with the
                                  texts marked in src/ (new ones come in unfinished)
translations.py check [LUPDATE]   fails when a marked text has no finished English
                                  translation, or a translation drops a %1 or a menu
                                  caption's accelerator; changes nothing
translations.py table TS OUT.cpp  writes the English of the core's texts (context Core) as a
                                  C++ table for lumenrill-cli, which has no Qt to read the .ts
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TS = os.path.join(ROOT, "translations", "lumenrill_en.ts")
# The core marks its texts with its own names for Qt's; lumenrill-cli stays English.
OPTIONS = ["-tr-function-alias", "QT_TRANSLATE_NOOP+=TRANSLATABLE_TEXT,translate+=Translated",
           "-source-language", "ja", "-target-language", "en", "-locations", "none", "-no-obsolete",
           "-extensions", "cpp,h"]


def lupdate(tool, ts):
    sources = [os.path.join(ROOT, "src", d) for d in sorted(os.listdir(os.path.join(ROOT, "src")))
               if d != "cli" and os.path.isdir(os.path.join(ROOT, "src", d))]
    subprocess.run([tool, *OPTIONS, "-I", os.path.join(ROOT, "src"), *sources, "-ts", ts], check=True, stdout=subprocess.DEVNULL)


def problems(ts):
    found = []
    for context in ET.parse(ts).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            text = translation.text or "" if translation is not None else ""
            where = f"{name}: {source!r}"
            if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete") or not text:
                found.append(f"no English for {where}")
                continue
            if sorted(re.findall(r"%\d", source)) != sorted(re.findall(r"%\d", text)):
                found.append(f"placeholders differ for {where}: {text!r}")
            if re.search(r"\(&\w\)", source) and "&" not in text:
                found.append(f"accelerator lost for {where}: {text!r}")
    return found


def cpp_literal(text):
    escaped = text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n").replace("\r", "\\r")
    return '"' + escaped.replace("\t", "\\t") + '"'


def write_table(ts, out):
    """The finished English of every Core text, sorted by the source's bytes for a binary search."""
    pairs = {}
    for context in ET.parse(ts).getroot().iter("context"):
        if context.findtext("name") != "Core":
            continue
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is not None and translation.text and translation.get("type") is None:
                pairs[message.findtext("source")] = translation.text
    lines = ["// Made from translations/lumenrill_en.ts by scripts/lib/translations.py table; not edited by hand.",
             '#include "cli/core_english.h"', "", "const CoreEnglishText CoreEnglishTable[] = {"]
    for source in sorted(pairs, key=lambda t: t.encode("utf-8")):
        lines.append(f"    {{{cpp_literal(source)}, {cpp_literal(pairs[source])}}},")
    lines += ["};", f"const size_t CoreEnglishCount = {len(pairs)};", ""]
    text = "\n".join(lines)
    if not os.path.exists(out) or open(out, encoding="utf-8").read() != text:
        with open(out, "w", encoding="utf-8") as f:
            f.write(text)


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "table":
        write_table(sys.argv[2], sys.argv[3])
        return
    if len(sys.argv) < 2 or sys.argv[1] not in ("update", "check"):
        sys.exit(__doc__)
    tool = sys.argv[2] if len(sys.argv) > 2 else shutil.which("lupdate") or "/usr/lib/qt6/bin/lupdate"
    if sys.argv[1] == "update":
        lupdate(tool, TS)
        found = problems(TS)
    else:
        with tempfile.TemporaryDirectory() as folder:
            copy = os.path.join(folder, "lumenrill_en.ts")
            shutil.copy(TS, copy)
            lupdate(tool, copy)
            found = problems(copy)
    for line in found:
        print(line)
    print(f"{len(found)} text(s) without a finished translation")
    sys.exit(1 if found and sys.argv[1] == "check" else 0)


if __name__ == "__main__":
    main()
