#!/usr/bin/env python3
"""Checks of the word list build: the short-form rules and the shipped file.

Run: python3 -m unittest discover -s tools/wordlist
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import build  # noqa: E402

IRREGULAR = {"go": "went, gone", "be": "was/were, been"}
PLURALS = {"child": "children", "mouse": "mice", "dwarf": "dwarfs/dwarves"}


class ShortFormRules(unittest.TestCase):
    def row(self, line):
        return build.parse_line(line, IRREGULAR, PLURALS)[0]

    def test_noun_remarks_name_no_german_article_or_plural(self):
        # What the English word does irregularly, never the German forms.
        self.assertEqual(self.row("Hund|dog|m|TI|1|~e")[5], "")
        self.assertEqual(self.row("Mutter|mother|f|FA|1|Mütter")[5], "")
        self.assertEqual(self.row("Milch|milk|f|ET|1|-")[5], "")
        self.assertEqual(self.row("Kind|child|n|FA|1|~er")[5], "engl. Pl.: children")
        self.assertEqual(self.row("Feldmaus|field mouse|f|TI|3|Feldmäuse")[5], "engl. Pl.: field mice")
        self.assertEqual(self.row("Zwerg|dwarf|m|-|3|~e")[5], "engl. Pl.: dwarfs / dwarves")
        self.assertEqual(self.row("Kinderarzt|children's doctor|m|KG|2|Kinderärzte")[5], "")
        self.assertEqual(self.row("Eltern|parents|pl|FA|1|")[5], "")
        # a plural-only noun's note is its remark, not a plural to drop
        self.assertEqual(self.row("Klamotten|clothes|pl|KL|2|umgangssprachlich")[5], "umgangssprachlich")
        self.assertEqual(self.row("USA|United States|pl|LS|1|die USA; Abk.")[5], "die USA; Abk.")
        self.assertEqual(self.row("Leute|people|pl|MB|1|-; viele Leute")[5], "viele Leute")
        self.assertEqual(self.row("Nudeln|pasta|pl|ET|1|Pl. von Nudel")[5], "")
        self.assertEqual(self.row("Bank|bank|f|GE|1|~en; Geldinstitut")[5], "Geldinstitut")
        self.assertEqual(self.row("Kind|child|n|FA|1|~er; klein")[5], "engl. Pl.: children; klein")

    def test_verb_remarks(self):
        self.assertEqual(self.row("gehen|to go|v|BW|1|")[5], "engl. unregelm.: went, gone")
        self.assertEqual(self.row("weggehen|to go away|v|BW|1|zu Fuß")[5],
                         "engl. unregelm.: went, gone; zu Fuß")
        self.assertEqual(self.row("heißen|to be called|v|MB|1|!reg ich heiße")[5], "ich heiße")
        self.assertEqual(self.row("spielen|to play|v|FZ|1|")[5], "")
        self.assertEqual(self.row("staunen|to be amazed|v|GF|3|")[5], "")
        self.assertEqual(self.row("sein|to be|v|-|1|")[5], "engl. unregelm.: was/were, been")

    def test_fields_and_codes(self):
        self.assertEqual(self.row("schnell|fast|a|EG|1|"),
                         ["schnell", "fast", "Eigenschaften", "Adjektiv", "1", ""])
        self.assertEqual(self.row("und|and|s|-|1|")[2], "")
        for bad in ("Hund|dog|x|TI|1|", "Hund|dog|m|XX|1|", "Hund|dog|m|TI|4|", "Hund|dog|m|TI|1"):
            with self.assertRaises(build.BuildError, msg=bad):
                self.row(bad)

    def test_content_checks(self):
        def check(line):
            build.check_row(*build.parse_line(line, IRREGULAR))
        for bad in ("Hotel|hotel|n|RV|1|~s",          # same on both sides
                    "Bank|bank; bench|f|GE|1|~en",    # list in one field
                    "gehen|go|v|BW|1|",               # verb without "to "
                    "hund|dog|m|TI|1|~e",             # noun not capitalised
                    "x" * 101 + "|long|s|-|1|"):      # over the field limit
            with self.assertRaises(build.BuildError, msg=bad):
                check(bad)
        check("Hotel|hotel|n|RV|1|!same ~s")
        check("können|can|v|-|1|Modalverb")


class ShippedList(unittest.TestCase):
    def test_file_is_built_from_the_sources(self):
        rows = build.build()
        with open(build.OUT, "rb") as f:
            data = f.read()
        self.assertFalse(data.startswith(b"\xef\xbb\xbf"), "no BOM")
        self.assertNotIn(b"\r", data)
        lines = data.decode("utf-8").split("\n")
        self.assertEqual(lines[0], "\t".join(build.HEADER))
        self.assertEqual(lines[1:-1], ["\t".join(r) for r in rows])
        self.assertEqual(lines[-1], "")
        for r in rows:
            self.assertEqual(len(r), 6)
            # One rule for every row: no German article or plural in a remark.
            self.assertNotRegex(r[5], r"^(der|die|das); (Pl\.|kein Pl\.)|(^|; )(nur Pl\.|Pl\.: )", r)
            self.assertIn(r[3], ("Verb", "Substantiv", "Adjektiv", "sonstiges"))
            self.assertIn(r[4], ("1", "2", "3"))


if __name__ == "__main__":
    unittest.main()
