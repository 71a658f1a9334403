#!/usr/bin/env python3
"""Makes Quenby.html: the page's HTML with its style, the form's JSON, the WebAssembly module's
loader, the module itself (base64) and the page's scripts put in, so that the page is one file
that makes no request. --script may be given more than once: the scripts are joined in the order
given, the page's own page.js last, since it starts the page."""
import argparse
import base64
import json


def script_safe(text):
    # Inside a <script> element only "</" can end it early.
    return text.replace("</", "<\\/")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for option in ("html", "css", "form", "loader", "wasm", "version", "o"):
        parser.add_argument("-" * (1 if option == "o" else 2) + option, required=True)
    parser.add_argument("--script", action="append", required=True)
    args = parser.parse_args()
    read = lambda path: open(path, encoding="utf-8").read()
    form = json.dumps(json.loads(read(args.form)), ensure_ascii=False, separators=(",", ":"))
    with open(args.wasm, "rb") as wasm:
        module = base64.b64encode(wasm.read()).decode("ascii")
    page = read(args.html)
    # Each part once, in turn, so that a part's own text is never taken for a placeholder.
    parts = [("@STYLE@", read(args.css)), ("@FORM@", script_safe(form)),
             ("@LOADER@", script_safe(read(args.loader))), ("@WASM@", module),
             ("@SCRIPT@", script_safe("\n".join(read(script) for script in args.script)))]
    page = page.replace("@VERSION@", args.version)
    out = ""
    for placeholder, text in parts:
        before, found, page = page.partition(placeholder)
        if not found:
            raise SystemExit(f"make_page.py: {args.html} has no {placeholder}")
        out += before + text
    with open(args.o, "w", encoding="utf-8", newline="\n") as target:
        target.write(out + page)


if __name__ == "__main__":
    main()
