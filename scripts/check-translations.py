#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Fails when a text the sources mark for translation has no finished English translation.

lupdate reads the sources (src/ and designer/) into a copy of translations/jxtpack_en.ts: a
text that is new arrives there unfinished, a text no longer in the sources leaves it. The check
fails on every unfinished or empty translation, on every text of the committed file that the
sources no longer have, and on every translation whose %1, %2, ... differ from its source's
(QString::arg would fill in the wrong value or none). Bring the file up to date with
`cmake --build build --target jxtpack_lupdate`, then translate what is unfinished.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TS_FILE = os.path.join(ROOT, "translations", "jxtpack_en.ts")
SOURCE_DIRS = ["src", "designer"]


def find_lupdate():
    found = shutil.which("lupdate") or shutil.which("lupdate-qt6")
    if found:
        return found
    try:
        bins = subprocess.run(["qtpaths6", "--query", "QT_HOST_BINS"], capture_output=True,
                              text=True, check=True).stdout.strip()
        candidate = os.path.join(bins, "lupdate")
        if os.access(candidate, os.X_OK):
            return candidate
    except (OSError, subprocess.CalledProcessError):
        pass
    candidate = "/usr/lib/qt6/bin/lupdate"
    return candidate if os.access(candidate, os.X_OK) else None


def messages(path):
    """(context, source) -> (translation text, type) of every message of a .ts file."""
    result = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            result[(name, message.findtext("source"))] = (
                translation.text or "", translation.get("type", ""))
    return result


def placeholders(text):
    return sorted(set(re.findall(r"%(\d+)", text)))


def main():
    lupdate = find_lupdate()
    if not lupdate:
        print("check-translations: lupdate not found (Debian package qt6-l10n-tools)")
        return 2
    committed = messages(TS_FILE)
    with tempfile.TemporaryDirectory() as work:
        updated_path = os.path.join(work, "jxtpack_en.ts")
        shutil.copyfile(TS_FILE, updated_path)
        subprocess.run([lupdate, "-locations", "none", "-no-obsolete", "-silent"] +
                       [os.path.join(ROOT, d) for d in SOURCE_DIRS] + ["-ts", updated_path],
                       check=True)
        updated = messages(updated_path)

    faults = []
    for (context, source), (text, kind) in sorted(updated.items()):
        where = f"[{context}] {source!r}"
        if kind in ("unfinished", "vanished", "obsolete") or not text.strip():
            faults.append(f"no finished English translation: {where}")
        elif placeholders(text) != placeholders(source):
            faults.append(f"placeholders differ from the source's: {where} -> {text!r}")
    for key in sorted(set(committed) - set(updated)):
        faults.append(f"no longer in the sources: [{key[0]}] {key[1]!r}")

    for fault in faults:
        print(f"{os.path.relpath(TS_FILE, ROOT)}: {fault}")
    if faults:
        print("check-translations: bring the file up to date with "
              "`cmake --build build --target jxtpack_lupdate` and translate what is unfinished")
        return 1
    print(f"check-translations: {len(updated)} texts, all translated")
    return 0


if __name__ == "__main__":
    sys.exit(main())
