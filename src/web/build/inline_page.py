#!/usr/bin/env python3
"""Makes the one file that goes on the card: the page's markup with its
styles, its scripts and the WebAssembly core inlined, nothing fetched.

    inline_page.py PAGE_FOLDER CORE.js OUTPUT.html
"""

import sys
from pathlib import Path

# The page's scripts in the order they build on each other; the core's
# factory (createCore) comes first.
SCRIPTS = ["core.js", "card.js", "tabs.js", "pages.js", "main.js"]


def main():
    folder, core, output = Path(sys.argv[1]), Path(sys.argv[2]), Path(sys.argv[3])
    script = "\n".join([core.read_text(encoding="utf-8")] +
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
