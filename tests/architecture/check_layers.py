#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the direction of dependencies under src/: a folder includes only
itself and the layers below it, never a layer beside or above it.

    check_layers.py <src folder>     lists every offending #include, exit 1
    check_layers.py --self-test      proves the check on a made-up tree
"""
import pathlib
import re
import sys
import tempfile

# Lowest first; the folders of one layer do not include each other either,
# so each of them can be built, tested and changed on its own.
LAYERS = [
    {"tablestore"},
    {"core"},
    {"databound"},
    {"training", "vocabulary", "users", "printing", "backup"},
    {"shell"},
    {"app"},
]
RANK = {folder: i for i, layer in enumerate(LAYERS) for folder in layer}
INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]+"([^"/]+)/', re.MULTILINE)


def offences(src: pathlib.Path):
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in {".h", ".cpp"} or not path.is_file():
            continue
        folder = path.relative_to(src).parts[0]
        if folder not in RANK:
            found.append(f"{path.relative_to(src)}: folder '{folder}' has no place in the layers")
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for match in INCLUDE.finditer(text):
            target = match.group(1)
            if target not in RANK or target == folder:
                continue  # a Qt or system header, or the folder's own file
            if RANK[target] >= RANK[folder]:
                line = text.count("\n", 0, match.start()) + 1
                found.append(f"{path.relative_to(src)}:{line}: includes {target}/, "
                             f"which is not below {folder}/")
    return found


def self_test():
    with tempfile.TemporaryDirectory() as tmp:
        src = pathlib.Path(tmp)
        files = {
            "core/a.h": '#include "tablestore/table.h"\n#include <QString>\n#include "a2.h"\n',
            "core/b.cpp": '#include "core/a.h"\n',
            "training/t.cpp": '#include "databound/grid.h"\n#include "vocabulary/x.h"\n',
            "tablestore/u.cpp": '\n#include "shell/mainform.h"\n',
            "shell/s.cpp": '#include "training/t.h"\n#include "users/u.h"\n',
        }
        for name, text in files.items():
            (src / name).parent.mkdir(parents=True, exist_ok=True)
            (src / name).write_text(text)
        got = offences(src)
        want = ["tablestore/u.cpp:2: includes shell/, which is not below tablestore/",
                "training/t.cpp:2: includes vocabulary/, which is not below training/"]
        if got != want:
            print("self-test failed:\n  got  " + "\n       ".join(got) + "\n  want " + "\n       ".join(want))
            return 1
    return 0


def main(argv):
    if argv[1:] == ["--self-test"]:
        return self_test()
    if len(argv) != 2:
        print(__doc__)
        return 2
    found = offences(pathlib.Path(argv[1]))
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
