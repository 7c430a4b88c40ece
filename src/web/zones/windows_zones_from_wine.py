#!/usr/bin/env python3
"""Writes windows_zones.tsv beside this script from a Wine prefix's registry.

The web page offers the same time zones as the program, which reads them
from the PC's registry. A browser has no such registry, so the page carries
a copy of it, taken from Wine's, which holds the names, display names and
offsets that Windows ships. One line per zone subkey, in the registry's
order: key name, "Display", "Std" and "TZI" (44 bytes in hexadecimal),
separated by tabs.

    src/web/zones/windows_zones_from_wine.py [WINEPREFIX]   # default build/wineprefix

Run it again when Wine's zone data changes, and commit the result.
"""

import re
import sys
from pathlib import Path

ZONES_KEY = r"Software\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\"
HEADER = re.compile(r"^\[(.*)\]")
VALUE = re.compile(r'^"((?:[^"\\]|\\.)*)"=(.*)$')


def unescape(text):
    # Wine writes \\, \" and \xNNNN (a UTF-16 unit) in its strings.
    return re.sub(r"\\x([0-9a-fA-F]{1,4})|\\(.)",
                  lambda m: chr(int(m.group(1), 16)) if m.group(1) else m.group(2), text)


def logical_lines(text):
    # A value's hex list goes on over several lines, each but the last ending in '\'.
    pending = ""
    for line in text.splitlines():
        if line.endswith("\\") and not line.endswith("\\\\"):
            pending += line[:-1].strip()
            continue
        yield pending + line.strip()
        pending = ""


def read_zones(system_reg):
    zones = {}
    current = None
    for line in logical_lines(system_reg.read_text(encoding="utf-8", errors="replace")):
        header = HEADER.match(line)
        if header:
            name = header.group(1)
            # Subkeys of a zone (its dynamic daylight rules) are not zones.
            inside = name.startswith(ZONES_KEY) and "\\\\" not in name[len(ZONES_KEY):]
            current = zones.setdefault(unescape(name[len(ZONES_KEY):]), {}) if inside else None
            continue
        value = VALUE.match(line)
        if current is None or not value:
            continue
        name, data = value.group(1), value.group(2)
        if name in ("Display", "Std") and data.startswith('"'):
            current[name] = unescape(data[1:-1])
        elif name == "TZI" and data.startswith("hex:"):
            current[name] = data[4:].replace(",", "")
    return zones


def main():
    prefix = Path(sys.argv[1] if len(sys.argv) > 1 else "build/wineprefix")
    zones = read_zones(prefix / "system.reg")
    lines = []
    for key, values in zones.items():
        assert len(values.get("TZI", "")) == 88, key
        for field in (key, values.get("Display", ""), values.get("Std", "")):
            assert "\t" not in field and "\n" not in field, key
        lines.append("\t".join((key, values.get("Display", ""), values.get("Std", ""), values["TZI"])))
    out = Path(__file__).resolve().parent / "windows_zones.tsv"
    out.write_text("".join(line + "\n" for line in lines), encoding="utf-8")
    print(f"{len(lines)} zones written to {out}")


if __name__ == "__main__":
    main()
