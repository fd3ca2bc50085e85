"""check-translations.py LUPDATE SOURCE_ROOT TRANSLATIONS_DIR

Runs lupdate over the sources into a scratch copy of the template and compares: the committed
template (hushpane.ts) must hold exactly the texts the sources translate, and every
hushpane_<lang>.ts must translate each of them (no unfinished or missing entry). The shortcut
library's texts are looked up by key, which lupdate cannot see: every keyboard_shortcuts_<lang>.ts
must translate each key of the library's English table."""
import glob
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

lupdate, source_root, translations = sys.argv[1:4]


def messages(path):
    """(context, source) -> the translation element's text and type, per message."""
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            key = (name, message.findtext("source"))
            found[key] = (translation.text or "", translation.get("type", ""))
            if message.get("numerus") == "yes":
                forms = [f.text or "" for f in translation.iter("numerusform")]
                found[key] = ("|".join(forms) if all(forms) else "", translation.get("type", ""))
    return found


failures = []
with tempfile.TemporaryDirectory() as scratch:
    fresh = os.path.join(scratch, "hushpane.ts")
    subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none", "-I", source_root, "-recursive",
                    source_root, "-ts", fresh], check=True, stderr=subprocess.DEVNULL)
    wanted = set(messages(fresh))
template = set(messages(os.path.join(translations, "hushpane.ts")))
for context, source in sorted(wanted - template):
    failures.append(f"hushpane.ts lacks {context}: {source!r}")
for context, source in sorted(template - wanted):
    failures.append(f"hushpane.ts still has {context}: {source!r}, which no source uses")

for path in sorted(glob.glob(os.path.join(translations, "hushpane_*.ts"))):
    translated = messages(path)
    name = os.path.basename(path)
    for key in sorted(wanted):
        text, kind = translated.get(key, ("", "missing"))
        if not text or kind in ("unfinished", "missing", "vanished", "obsolete"):
            failures.append(f"{name}: no translation for {key[0]}: {key[1]!r}")

table = open(os.path.join(source_root, "keyboard_shortcuts", "Localization.cpp")).read()
keys = set(re.findall(r'\{"(\w+)",', table))
if not keys:
    failures.append("found no keys in the shortcut library's English table")
for path in sorted(glob.glob(os.path.join(translations, "keyboard_shortcuts_*.ts"))):
    translated = messages(path)
    for key in sorted(keys):
        text, kind = translated.get(("KeyboardShortcuts", key), ("", "missing"))
        if not text or kind in ("unfinished", "missing"):
            failures.append(f"{os.path.basename(path)}: no translation for the key {key}")
    for context, key in sorted(set(translated) - {("KeyboardShortcuts", k) for k in keys}):
        failures.append(f"{os.path.basename(path)}: {key} is no key of the library")

for failure in failures:
    print(failure)
print(f"{len(wanted)} texts; {len(failures)} problems")
sys.exit(1 if failures else 0)
