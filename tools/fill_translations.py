#!/usr/bin/env python3
"""Fills a Qt .ts file's translations from a Python table of source text -> translation.

Used once per language after lupdate added new texts:
    python3 tools/fill_translations.py resources/translations/tandril_de.ts TABLE.py
Texts without an entry stay unfinished, so that the test suite points at them."""
import runpy
import sys
import xml.etree.ElementTree as ET

ts_path, table_path = sys.argv[1], sys.argv[2]
table = runpy.run_path(table_path)["DE"]
tree = ET.parse(ts_path)
missing = []
for message in tree.getroot().iter("message"):
    source = message.find("source").text or ""
    translation = message.find("translation")
    if source in table:
        translation.text = table[source]
        translation.attrib.pop("type", None)
    elif translation.get("type") == "unfinished":
        missing.append(source)
tree.write(ts_path, encoding="utf-8", xml_declaration=True)
for source in missing:
    print("missing:", repr(source))
