#!/usr/bin/env python3
"""Turn the reviewed word list sources into data/wordlist/englisch.tsv.

The reviewed rows live in data/wordlist/source/*.txt, one row per line:

    deutsch|english|class|group|level|note

class   m, f, n    noun with its gender      -> Gattung "Substantiv"
        pl         noun used only in plural   -> Gattung "Substantiv"
        v          verb                       -> Gattung "Verb"
        a          adjective                  -> Gattung "Adjektiv"
        s          anything else              -> Gattung "sonstiges"
group   a code from GROUPS below, or "-" for none
level   1, 2 or 3
note    nouns: the German plural ("Hunde", "~e" for word + "e", "-" for
        none), optionally followed by "; " and a further remark; plural-only
        nouns (pl): the remark alone, which may start with "Pl. von X"
        for a plural whose singular X exists;
        verbs: a further remark; English irregular forms are added from
        source/english_irregular.txt unless the note starts with "!reg"
        (or already names the forms with "engl. unregelm.:"), never to
        phrases like "to be afraid";
        others: the remark as it is.

The remark is written for a learner of the English word: it never holds
the German article or plural (they would give the answer away when the
English word is asked, and a German speaker knows them), only the further
remark and what the English word does irregularly: the plural from
source/english_irregular_plural.txt ("engl. Pl.: children") and the verb
forms from source/english_irregular.txt.

A note starting with "!same " allows a row whose two sides are spelt
alike (only for words genuinely worth learning, like "in" or "so").

Lines starting with "#" and blank lines are ignored.  Every rule the
program's vocabulary file and the word list content rules ask for is
checked; any violation stops the build with the offending line and nothing
is written.

Usage: build.py [--check] [--stats]
"""

import argparse
import glob
import os
import sys
import tempfile

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SOURCE_DIR = os.path.join(ROOT, "data", "wordlist", "source")
OUT = os.path.join(ROOT, "data", "wordlist", "englisch.tsv")
HEADER = ["deutsch", "auslaendisch", "Sachgruppe", "Gattung", "Schwierigkeitsgrad", "Bemerkung"]

GROUPS = {
    "TI": "Tiere",
    "ET": "Essen und Trinken",
    "FA": "Familie",
    "MB": "Menschen und Beziehungen",
    "KG": "Körper und Gesundheit",
    "KL": "Kleidung",
    "HW": "Haus und Wohnen",
    "SL": "Schule und Lernen",
    "AB": "Arbeit und Beruf",
    "RV": "Reisen und Verkehr",
    "NW": "Natur und Wetter",
    "PG": "Pflanzen und Garten",
    "ZT": "Zeit",
    "ZM": "Zahlen und Mengen",
    "FB": "Farben",
    "SP": "Sport",
    "FZ": "Freizeit und Hobbys",
    "GF": "Gefühle",
    "CH": "Charakter",
    "EG": "Eigenschaften",
    "ST": "Stadt und Gebäude",
    "TE": "Technik",
    "CM": "Computer und Medien",
    "GE": "Geld und Einkaufen",
    "WI": "Wirtschaft",
    "PO": "Politik und Gesellschaft",
    "RP": "Recht und Polizei",
    "MK": "Militär und Krieg",
    "RE": "Religion",
    "KK": "Kunst und Kultur",
    "MU": "Musik",
    "SK": "Sprache und Kommunikation",
    "DW": "Denken und Wissen",
    "LS": "Länder und Sprachen",
    "GG": "Geografie",
    "WS": "Wissenschaft",
    "RR": "Ort und Richtung",
    "FM": "Formen und Materialien",
    "BW": "Bewegung",
    "HF": "Höflichkeit und Begrüßung",
    "PR": "Pronomen und Artikel",
    "PP": "Präpositionen",
    "KO": "Konjunktionen",
    "FW": "Fragewörter",
    "AL": "Alltag",
}
CLASSES = {"m": "Substantiv", "f": "Substantiv", "n": "Substantiv", "pl": "Substantiv",
           "v": "Verb", "a": "Adjektiv", "s": "sonstiges"}
ARTICLES = {"m": "der", "f": "die", "n": "das"}
LIMITS = {"deutsch": 100, "auslaendisch": 100, "Sachgruppe": 100, "Bemerkung": 250}
MAX_SENSES = 3


class BuildError(Exception):
    pass


def load_pairs(path):
    """A two-column source: key<TAB>value per line, "#" lines and blanks ignored."""
    pairs = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            key, value = line.split("\t")
            pairs[key] = value
    return pairs


def english_plural(english, plurals):
    """The irregular plural of an English noun phrase, or ""."""
    words = english.split()
    plural = plurals.get(words[-1]) if words else None
    if not plural:
        return ""
    head = " ".join(words[:-1])
    return " / ".join((head + " " + p).strip() for p in plural.split("/"))


def noun_remark(english, cls, note, plurals):
    german_plural, _, extra = note.partition("; ")
    german_plural = german_plural.strip()
    parts = []
    if cls == "pl":
        # A plural-only noun has no plural to give: its whole note is the
        # remark ("-; remark" is read the same way), less the German
        # singular a "Pl. von X" names.
        if german_plural != "-" and not german_plural.startswith("Pl. von "):
            extra = note
    else:
        plural = english_plural(english, plurals)
        if plural:
            parts.append("engl. Pl.: " + plural)
    if extra.strip():
        parts.append(extra.strip())
    return "; ".join(parts)


def verb_remark(english, note, irregular):
    if note.startswith("!reg"):
        return note[4:].lstrip("; ").strip()
    if "engl. unregelm.:" in note:
        return note
    words = english.split()
    head = words[1] if len(words) > 1 and words[0] == "to" else ""
    forms = irregular.get(head)
    if head == "be" and len(words) > 2:
        # "to be amazed" needs "was amazed, been amazed"; the bare forms of
        # "be" would read as if they were the forms of the whole phrase.
        forms = None
    parts = []
    if forms:
        parts.append("engl. unregelm.: " + forms)
    if note:
        parts.append(note)
    return "; ".join(parts)


def parse_line(line, irregular, plurals=None):
    cells = [c.strip() for c in line.split("|")]
    if len(cells) != 6:
        raise BuildError(f"expected 6 fields separated by '|', got {len(cells)}")
    de, en, cls, group, level, note = cells
    same = note.startswith("!same")
    if same:
        note = note[5:].strip()
    if cls not in CLASSES:
        raise BuildError(f"unknown class {cls!r}")
    if group != "-" and group not in GROUPS:
        raise BuildError(f"unknown group code {group!r}")
    if level not in ("1", "2", "3"):
        raise BuildError(f"level must be 1, 2 or 3, not {level!r}")
    if cls in ARTICLES or cls == "pl":
        remark = noun_remark(en, cls, note, plurals or {})
    elif cls == "v":
        remark = verb_remark(en, note, irregular)
    else:
        remark = note
    return [de, en, GROUPS.get(group, ""), CLASSES[cls], level, remark], same


def check_row(row, same=False):
    de, en, group, cls, level, remark = row
    for name, value in zip(HEADER, row):
        if "\t" in value or "\n" in value or "\r" in value:
            raise BuildError(f"{name} holds a tab or line break")
        if name in LIMITS and len(value) > LIMITS[name]:
            raise BuildError(f"{name} longer than {LIMITS[name]} characters")
    if not de or not en:
        raise BuildError("both language fields must be filled")
    if de.casefold() == en.casefold() and not same:
        raise BuildError("German and English are identical")
    for side in (de, en):
        if ";" in side:
            raise BuildError(f"one meaning per row, no list: {side!r}")
        if side != side.strip() or "  " in side:
            raise BuildError(f"stray blanks in {side!r}")
    if cls == "Verb" and not (en.startswith("to ") or en in MODALS):
        raise BuildError(f"English verb without 'to ': {en!r}")
    if cls == "Substantiv" and not de[:1].isupper():
        raise BuildError(f"German noun not capitalised: {de!r}")
    if de.split()[0] in ("der", "die", "das") and cls == "Substantiv":
        raise BuildError(f"German noun with article: {de!r}")


MODALS = {"can", "must", "may", "should", "shall", "will", "might", "could", "would"}


def sort_key(row):
    group = row[2] or "\uffff"
    return (group, row[0].casefold(), row[0], row[1].casefold(), row[1], row[3])


def build():
    irregular = load_pairs(os.path.join(SOURCE_DIR, "english_irregular.txt"))
    plurals = load_pairs(os.path.join(SOURCE_DIR, "english_irregular_plural.txt"))
    rows, errors, seen, senses = [], [], {}, {}
    for path in sorted(glob.glob(os.path.join(SOURCE_DIR, "*.txt"))):
        if os.path.basename(path).startswith("english_irregular"):
            continue
        name = os.path.basename(path)
        with open(path, encoding="utf-8") as f:
            for n, line in enumerate(f, 1):
                line = line.rstrip("\n")
                if not line.strip() or line.lstrip().startswith("#"):
                    continue
                where = f"{name}:{n}"
                try:
                    row, same = parse_line(line, irregular, plurals)
                    check_row(row, same)
                except BuildError as e:
                    errors.append(f"{where}: {e}: {line}")
                    continue
                pair = (row[0], row[1])
                if pair in seen:
                    errors.append(f"{where}: duplicate of {seen[pair]}: {line}")
                    continue
                seen[pair] = where
                senses.setdefault(row[0], []).append(where)
                rows.append(row)
    for de, wheres in senses.items():
        if len(wheres) > MAX_SENSES:
            errors.append(f"{de!r} has {len(wheres)} rows (at most {MAX_SENSES}): {', '.join(wheres)}")
    if errors:
        raise BuildError("\n".join(errors))
    rows.sort(key=sort_key)
    return rows


def write_atomically(rows, path):
    fd, tmp = tempfile.mkstemp(dir=os.path.dirname(path), prefix=".englisch.", suffix=".tmp")
    try:
        with os.fdopen(fd, "w", encoding="utf-8", newline="\n") as f:
            f.write("\t".join(HEADER) + "\n")
            for row in rows:
                f.write("\t".join(row) + "\n")
        os.replace(tmp, path)
    except BaseException:
        os.unlink(tmp)
        raise


def stats(rows):
    def table(title, index):
        counts = {}
        for r in rows:
            counts[r[index] or "(keine)"] = counts.get(r[index] or "(keine)", 0) + 1
        print(f"{title}:")
        for k, v in sorted(counts.items(), key=lambda kv: (-kv[1], kv[0])):
            print(f"  {k:32} {v:6}  {100.0 * v / len(rows):5.1f} %")
    print(f"rows: {len(rows)}")
    table("Gattung", 3)
    table("Schwierigkeitsgrad", 4)
    table("Sachgruppe", 2)


def main():
    ap = argparse.ArgumentParser(description="Build data/wordlist/englisch.tsv from the reviewed sources.")
    ap.add_argument("--check", action="store_true", help="only check that englisch.tsv is up to date")
    ap.add_argument("--stats", action="store_true", help="print counts per word class, difficulty and group")
    args = ap.parse_args()
    try:
        rows = build()
    except BuildError as e:
        print(e, file=sys.stderr)
        return 1
    if args.check:
        expected = "\t".join(HEADER) + "\n" + "".join("\t".join(r) + "\n" for r in rows)
        with open(OUT, encoding="utf-8", newline="") as f:
            if f.read() != expected:
                print("englisch.tsv is out of date: run tools/wordlist/build.py", file=sys.stderr)
                return 1
    else:
        write_atomically(rows, OUT)
    if args.stats:
        stats(rows)
    else:
        print(f"{len(rows)} rows", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
