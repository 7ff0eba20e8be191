// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tablestore/table.h"

#include <QRandomGenerator>
#include <QStringList>

// Fills a vocabulary-shaped table with plausible German/English pairs:
// compound nouns from real stems (umlauts and ß included), so text lengths,
// character mix and shared substrings ("haus") resemble a real dictionary.
namespace bench {

inline void fillVocabulary(ts::Table& t, int rows, quint32 seed = 42) {
    static const QStringList de{"Haus",  "Baum",    "Straße",  "Küche",  "Tür",     "Mädchen", "Schlüssel", "Fuß",
                                "Ball",  "Garten",  "Schule",  "Buch",   "Wasser",  "Feuer",   "Öl",        "Übung",
                                "Zeit",  "Arbeit",  "Stadt",   "Land",   "Fluss",   "Berg",    "Wald",      "Blume",
                                "Tisch", "Stuhl",   "Fenster", "Dach",   "Zimmer",  "Hof",     "Kirche",    "Brücke",
                                "Zug",   "Bahn",    "Hafen",   "Schiff", "Apfel",   "Brot",    "Käse",      "Milch",
                                "Glas",  "Flasche", "Löffel",  "Gabel",  "Messer",  "Teller",  "Hund",      "Katze",
                                "Vogel", "Fisch",   "Pferd",   "Kuh",    "Schwein", "Maus",    "Bär",       "Wolf",
                                "Sonne", "Mond",    "Stern",   "Regen",  "Schnee",  "Wind",    "Wolke",     "Licht",
                                "Farbe", "Spiel",   "Lied",    "Bild",   "Brief",   "Wort",    "Satz",      "Frage"};
    static const QStringList en{
        "house",  "tree",    "street", "kitchen",  "door",    "girl",   "key",      "foot",     "ball",
        "garden", "school",  "book",   "water",    "fire",    "oil",    "exercise", "time",     "work",
        "city",   "country", "river",  "mountain", "forest",  "flower", "table",    "chair",    "window",
        "roof",   "room",    "yard",   "church",   "bridge",  "train",  "railway",  "harbour",  "ship",
        "apple",  "bread",   "cheese", "milk",     "glass",   "bottle", "spoon",    "fork",     "knife",
        "plate",  "dog",     "cat",    "bird",     "fish",    "horse",  "cow",      "pig",      "mouse",
        "bear",   "wolf",    "sun",    "moon",     "star",    "rain",   "snow",     "wind",     "cloud",
        "light",  "colour",  "game",   "song",     "picture", "letter", "word",     "sentence", "question"};
    static const QStringList groups{"Tiere",  "Essen und Trinken",  "Haus und Wohnen", "Natur und Wetter",
                                    "Schule", "Reisen und Verkehr", "Freizeit",        "Stadt",
                                    "",       "Arbeit und Beruf"};
    static const QStringList classes{"Substantiv", "Substantiv", "Verb", "Adjektiv", "sonstiges"};
    QRandomGenerator rng(seed);
    const int idCol = t.field("ID"), deCol = t.field("deutsch"), enCol = t.field("auslaendisch"),
              grCol = t.field("Sachgruppe"), gaCol = t.field("Gattung"), scCol = t.field("Schwierigkeitsgrad"),
              beCol = t.field("Bemerkung");
    for (int i = 0; i < rows; ++i) {
        const int a = int(rng.bounded(de.size())), b = int(rng.bounded(de.size()));
        // Real dictionaries repeat a German word at most a few times: mostly
        // compounds here, so the rows are nearly all different.
        const int roll = int(rng.bounded(100));
        const int parts = roll < 2 ? 0 : roll < 40 ? 1 : 2;
        QString g = de[a], e = en[a];
        if (parts > 0) {
            g += de[b].toLower();
            e = en[b] + ' ' + e;
        }
        if (parts > 1) {
            const int c = int(rng.bounded(de.size()));
            g = de[c] + g.toLower();
            e = en[c] + ' ' + e;
        }
        t.insert();
        t.setValue(idCol, i + 1);
        t.setValue(deCol, g);
        t.setValue(enCol, e);
        t.setValue(grCol, groups[int(rng.bounded(groups.size()))]);
        t.setValue(gaCol, classes[int(rng.bounded(classes.size()))]);
        t.setValue(scCol, int(rng.bounded(3)) + 1);
        t.setValue(beCol, rng.bounded(4) == 0 ? QString("der; Pl.: %1e").arg(de[a]) : QString());
        t.post();
    }
}

} // namespace bench
