#!/usr/bin/env python3
"""Makes the one file that goes on the card: the page's markup with its
styles, its scripts and the WebAssembly core inlined, nothing fetched.

    inline_page.py PAGE_FOLDER CORE.js CORE.wasm OUTPUT.html PNG_FOLDER [PICTURE ...]

The WebAssembly goes in gzip-compressed, as CORE_WASM (base64): base64 of
the plain binary would make the page half as large again, and compress
worse. The page unpacks it with the browser's DecompressionStream.

The pictures are the program's PNGs that the page shows (the security
LED's patterns), each with its set drawn for 200 % (number + 2000), as
PICTURES[number] = {src, src2x, width}.
"""

import base64
import gzip
import json
import struct
import sys
from pathlib import Path

# The page's scripts in the order they build on each other; the core's
# factory (createCore) comes first.
SCRIPTS = ["core.js", "card.js", "tabs.js", "pages.js", "main.js"]


def data_url(path):
    return "data:image/png;base64," + base64.b64encode(path.read_bytes()).decode("ascii")


def pictures(folder, numbers):
    table = {}
    for number in numbers:
        png = folder / f"{number}.png"
        width = struct.unpack(">I", png.read_bytes()[16:20])[0]  # from the IHDR chunk
        table[number] = {"src": data_url(png), "src2x": data_url(folder / f"{int(number) + 2000}.png"),
                         "width": width}
    return "const PICTURES = " + json.dumps(table) + ";"


def packed_core(wasm):
    packed = gzip.compress(wasm.read_bytes(), compresslevel=9, mtime=0)
    return "const CORE_WASM = '" + base64.b64encode(packed).decode("ascii") + "';"


def main():
    folder, core, wasm, output = (Path(name) for name in sys.argv[1:5])
    png_folder, numbers = Path(sys.argv[5]), sys.argv[6:]
    script = "\n".join([core.read_text(encoding="utf-8"), packed_core(wasm),
                        pictures(png_folder, numbers)] +
                       [(folder / name).read_text(encoding="utf-8") for name in SCRIPTS])
    # Wrapped, so nothing but the page's own names reaches the global scope.
    script = "(() => {\n'use strict';\n" + script + "\n})();"
    assert "</script" not in script.lower(), "a script would end the page's <script> element"
    page = (folder / "settings.html").read_text(encoding="utf-8")
    page = page.replace("/*STYLE*/", (folder / "style.css").read_text(encoding="utf-8"))
    page = page.replace("/*SCRIPT*/", script)
    output.write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main()
