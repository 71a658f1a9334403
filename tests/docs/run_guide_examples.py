#!/usr/bin/env python3
"""Runs every example of a guide with the command-line tool:  run_guide_examples.py QUENBY GUIDE.md

A fenced block whose info string names a file ("ntf name=first.ntf") is written into one work
folder, in the order the guide shows them: a template (.ntf) in CP437 with CR LF line ends, as the
guide shows it in UTF-8; any other file in UTF-8 as shown. A "console" block is a command and what
it prints: its first line, "$ quenby ARGS", runs in the work folder, and the rest of the block must
be its standard output and standard error, byte for byte once CR LF is read as LF."""

import re
import shlex
import subprocess
import sys
import tempfile
from pathlib import Path

BLOCK = re.compile(r"^```(\w+)(?: name=(\S+))?\n(.*?)^```$", re.M | re.S)


def main(quenby, guide):
    failures, commands = [], 0
    with tempfile.TemporaryDirectory(prefix="quenby-guide-") as work:
        for kind, name, text in BLOCK.findall(Path(guide).read_text(encoding="utf-8")):
            if name:
                data = text.replace("\n", "\r\n").encode("cp437") if name.endswith(".ntf") \
                    else text.encode()
                Path(work, name).write_bytes(data)
            elif kind == "console":
                command, _, shown = text.partition("\n")
                args = shlex.split(command.removeprefix("$ "))
                done = subprocess.run([quenby] + args[1:], cwd=work, capture_output=True,
                                      timeout=60)
                got = (done.stdout + done.stderr).decode("utf-8", "replace").replace("\r\n", "\n")
                commands += 1
                if args[0] != "quenby" or got != shown:
                    failures.append("FAIL %s\n--- shown\n%s--- printed\n%s" % (command, shown, got))
    print(*failures, "%d of %d examples differ" % (len(failures), commands), sep="\n")
    return 1 if failures or not commands else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
