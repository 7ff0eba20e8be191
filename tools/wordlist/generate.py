#!/usr/bin/env python3
"""Build the candidate German-English word list from the Ding dictionary
(Debian package trans-de-en) and two word-frequency rank lists (npm packages
@zxcvbn-ts/language-de and @zxcvbn-ts/language-en).

The candidates are only raw material for the hand review: Ding does not
order senses by importance and the rank lists count lower-case word forms,
so every row still has to be read by a person (see data/wordlist/README.md).

Usage:
  generate.py --npm DIR [--ding FILE] [--limit N] [--out FILE] [--review FILE]

DIR is the folder that holds node_modules/ (e.g. after
`npm install --prefix DIR @zxcvbn-ts/language-de @zxcvbn-ts/language-en`).
--out writes the candidates in the shipped six-column format, --review
writes the same rows with rank and alternative senses for the reviewer.
The output depends only on the inputs, so equal inputs give equal files.
"""

import argparse
import os
import re
import sys

DING_DEFAULT = "/usr/share/trans/de-en"
HEADER = "deutsch\tauslaendisch\tSachgruppe\tGattung\tSchwierigkeitsgrad\tBemerkung"

# Senses carrying one of these tags are never offered to a learner.
BANNED_TAGS = {
    "vulg.", "derb", "slang", "pej.", "obs.", "alt", "veraltet", "veraltend",
    "archaic", "altertümlich", "selten", "rare", "dated", "euphem.",
    "Jägersprache", "former name", "frühere Bezeichnung", "poet.",
}
# Tags that make a sense less suitable, but not wrong.
PENALTY_TAGS = {
    "ugs.", "coll.", "geh.", "formal", "übtr.", "fig.", "humor.", "iron.",
    "Schw.", "Ös.", "Bayr.", "Norddt.", "Süddt.", "Mitteldt.", "Austr.",
    "Sc.", "NZ", "Ir.", "Can.", "lit.", "techn.", "jur.", "adm.", "chem.",
    "med.", "mil.", "statist.", "biochem.", "phys.", "mach.", "min.",
}
# Ding subject tags mapped to learner-friendly subject groups.
SUBJECT_GROUPS = {
    "zool.": "Tiere", "ornith.": "Tiere",
    "cook.": "Essen und Trinken",
    "anat.": "Körper und Gesundheit", "med.": "Körper und Gesundheit",
    "pharm.": "Körper und Gesundheit",
    "bot.": "Pflanzen",
    "sport": "Sport",
    "school": "Schule", "stud.": "Schule",
    "econ.": "Wirtschaft und Geld", "fin.": "Wirtschaft und Geld",
    "pol.": "Politik und Gesellschaft", "soc.": "Politik und Gesellschaft",
    "jur.": "Recht",
    "mus.": "Musik",
    "comp.": "Computer und Internet", "telco.": "Technik",
    "techn.": "Technik", "electr.": "Technik",
    "auto": "Reisen und Verkehr", "transp.": "Reisen und Verkehr",
    "aviat.": "Reisen und Verkehr", "naut.": "Reisen und Verkehr",
    "meteo.": "Natur und Wetter", "envir.": "Natur und Wetter",
    "geogr.": "Geografie",
    "textil.": "Kleidung",
    "relig.": "Religion",
    "art": "Kunst und Kultur", "lit.": "Kunst und Kultur",
    "math.": "Zahlen und Mathematik",
    "psych.": "Gefühle und Charakter",
    "constr.": "Haus und Wohnen", "arch.": "Haus und Wohnen",
}
WORD_CLASSES = {
    "m": "Substantiv", "f": "Substantiv", "n": "Substantiv", "pl": "Substantiv",
    "vt": "Verb", "vi": "Verb", "vr": "Verb", "v": "Verb",
    "adj": "Adjektiv",
    "adv": "sonstiges", "prp": "sonstiges", "conj": "sonstiges",
    "pron": "sonstiges", "ppron": "sonstiges", "art": "sonstiges",
    "num": "sonstiges", "interj": "sonstiges", "particle": "sonstiges",
}
ARTICLES = {"m": "der", "f": "die", "n": "das"}

TAG_RE = re.compile(r"\{([^}]*)\}")
BRACKET_RE = re.compile(r"\[([^\]]*)\]")
PAREN_RE = re.compile(r"\([^)]*\)")
ABBREV_RE = re.compile(r"/[^/]+/")


def decompress_zxcvbn(encoded):
    """Decode the prefix-compressed word list format of @zxcvbn-ts."""
    parts = re.split(r"([A-Z])", encoded)
    words, last = [], ""
    for i in range(1, len(parts), 2):
        last = last[: ord(parts[i]) - 65] + parts[i + 1]
        words.append(last)
    return words


def read_rank_list(path):
    """Return {word: rank} from a zxcvbn-ts commonWords module (plain or compressed)."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    m = re.search(r'(?:decompress\w*(?:\.default)?\()?"((?:[^"\\]|\\.)*)"', text)
    if not m:
        sys.exit(f"cannot find the word list in {path}")
    body = m.group(1).encode("utf-8").decode("unicode_escape").encode("latin-1").decode("utf-8")
    words = decompress_zxcvbn(body) if "decompress" in text else body.split(",")
    ranks = {}
    for i, w in enumerate(words):
        ranks.setdefault(w.lower(), i + 1)
    return ranks


def find_module(npm_dir, package, stem):
    dist = os.path.join(npm_dir, "node_modules", "@zxcvbn-ts", package, "dist")
    for ext in (".json.js", ".json.cjs"):
        p = os.path.join(dist, stem + ext)
        if os.path.exists(p):
            return p
    sys.exit(f"{package}: {stem} not found under {dist}")


def split_outside(text, sep):
    """Split at sep, but not inside {...} or (...) as in "to be {was; were; been}"."""
    parts, depth, cur, i = [], 0, "", 0
    while i < len(text):
        if depth == 0 and text.startswith(sep, i):
            parts.append(cur)
            cur, i = "", i + len(sep)
            continue
        c = text[i]
        depth += c in "{(" 
        depth -= c in "})" and depth > 0
        cur += c
        i += 1
    parts.append(cur)
    return parts


def clean(text):
    """Strip Ding's tags, remarks and abbreviations from one synonym."""
    text = TAG_RE.sub("", text)
    text = BRACKET_RE.sub("", text)
    text = PAREN_RE.sub("", text)
    text = ABBREV_RE.sub("", text)
    return " ".join(text.split())


class Sense:
    __slots__ = ("german", "cls", "gender", "english", "irregular", "tags",
                 "plural", "line_no", "position")


def parse_ding(path):
    """Yield one Sense per German headword synonym of the first sub-entry."""
    with open(path, encoding="utf-8") as f:
        for line_no, line in enumerate(f, 1):
            if line.startswith("#") or " :: " not in line:
                continue
            de, en = line.rstrip("\n").split(" :: ", 1)
            de_subs, en_subs = de.split(" | "), en.split(" | ")
            de_syns = split_outside(de_subs[0], "; ")
            en_syns = split_outside(en_subs[0], "; ")
            plural_syns = []
            if len(de_subs) > 1 and "{pl}" in de_subs[1]:
                plural_syns = split_outside(de_subs[1], "; ")
            line_tags = set(BRACKET_RE.findall(de_subs[0])) | set(BRACKET_RE.findall(en_subs[0]))
            for idx, syn in enumerate(de_syns):
                tags = TAG_RE.findall(syn)
                classes = [t for t in tags if t in WORD_CLASSES]
                if not classes:
                    continue
                word = clean(syn)
                if not word or " " in word and not word.startswith("sich "):
                    continue
                for pos, en_syn in enumerate(en_syns):
                    s = Sense()
                    s.position = pos
                    s.german = word
                    s.cls = classes[0]
                    s.gender = classes[0] if classes[0] in ARTICLES else ""
                    irr = TAG_RE.search(en_syn)
                    s.irregular = irr.group(1) if irr else ""
                    s.english = clean(en_syn)
                    s.tags = line_tags | set(BRACKET_RE.findall(syn)) | set(BRACKET_RE.findall(en_syn))
                    s.plural = ""
                    if idx < len(plural_syns):
                        s.plural = clean(plural_syns[idx])
                    s.line_no = line_no
                    if s.english:
                        yield s


def english_rank(phrase, en_ranks):
    words = [w for w in re.findall(r"[a-z']+", phrase.lower()) if w not in ("to", "sb", "sth")]
    if not words:
        return 10 ** 6
    return max(en_ranks.get(w, 200000) for w in words) + 3000 * (len(words) - 1)


def score(sense, en_ranks):
    s = english_rank(sense.english, en_ranks)
    s += 5000 * len(sense.tags & PENALTY_TAGS) + 1500 * sense.position
    return s


def difficulty(rank):
    if rank <= 2500:
        return 1
    if rank <= 7000:
        return 2
    return 3


def remark(sense):
    if sense.gender:
        art = ARTICLES[sense.gender]
        return f"{art}; Pl.: {sense.plural}" if sense.plural else art
    if sense.cls == "pl":
        return "Pl."
    if sense.irregular:
        forms = ", ".join(x.strip() for x in sense.irregular.split(";"))
        return f"engl. unregelm.: {forms}"
    return ""


def subject_group(sense):
    for tag in sorted(sense.tags):
        if tag in SUBJECT_GROUPS:
            return SUBJECT_GROUPS[tag]
    return ""


def english_side(sense):
    e = sense.english
    if WORD_CLASSES[sense.cls] == "Verb" and not e.startswith("to "):
        e = "to " + e
    return e


def build(ding, de_ranks, en_ranks, limit):
    by_word = {}
    for s in parse_ding(ding):
        key = s.german.lower()
        if key.startswith("sich "):
            key = key[5:]
        if key not in de_ranks:
            continue
        if s.tags & BANNED_TAGS:
            continue
        by_word.setdefault(key, []).append(s)

    rows = []
    for key in sorted(by_word, key=lambda k: (de_ranks[k], k)):
        groups = {}
        for s in by_word[key]:
            groups.setdefault((WORD_CLASSES[s.cls], s.german), []).append(s)
        for (cls, german), senses in sorted(groups.items()):
            if cls == "Substantiv" and not german[:1].isupper():
                continue
            senses.sort(key=lambda s: (score(s, en_ranks), s.line_no, s.english))
            best = senses[0]
            if best.english.lower() == german.lower():
                continue
            alts = []
            for s in senses[1:]:
                e = english_side(s)
                if e != english_side(best) and e not in alts:
                    alts.append(e)
            rows.append({
                "rank": de_ranks[key],
                "fields": [german, english_side(best), subject_group(best), cls,
                           str(difficulty(de_ranks[key])), remark(best)],
                "alts": alts[:4],
            })
        if len(rows) >= limit:
            break
    return rows


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--npm", required=True, help="folder holding node_modules/@zxcvbn-ts")
    ap.add_argument("--ding", default=DING_DEFAULT)
    ap.add_argument("--limit", type=int, default=12000)
    ap.add_argument("--out", default="-")
    ap.add_argument("--review")
    args = ap.parse_args()

    de_ranks = read_rank_list(find_module(args.npm, "language-de", "commonWords"))
    # Subtitles rank everyday speech; Wikipedia adds the written vocabulary
    # behind it, ranked after every subtitle word.
    wiki = read_rank_list(find_module(args.npm, "language-de", "wikipedia"))
    offset = max(de_ranks.values())
    for w, r in wiki.items():
        de_ranks.setdefault(w, offset + r)
    en_ranks = read_rank_list(find_module(args.npm, "language-en", "commonWords"))
    rows = build(args.ding, de_ranks, en_ranks, args.limit)

    out = sys.stdout if args.out == "-" else open(args.out, "w", encoding="utf-8", newline="\n")
    out.write(HEADER + "\n")
    for r in rows:
        out.write("\t".join(f.replace("\t", " ") for f in r["fields"]) + "\n")
    if out is not sys.stdout:
        out.close()
    if args.review:
        with open(args.review, "w", encoding="utf-8", newline="\n") as f:
            for r in rows:
                de, en, grp, cls, _, rem = r["fields"]
                alt = " / ".join(r["alts"])
                f.write(f"{r['rank']}\t{de}\t{cls[:3]}\t{en}\t{rem}\t{grp}\t{alt}\n")
    print(f"{len(rows)} candidate rows", file=sys.stderr)


if __name__ == "__main__":
    main()
