// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionorder.h"
#include "core/fieldnames.h"

namespace training {

namespace {

// Draws that are rejected again and again only happen with a broken random
// source; past this many, the draw settles for the candidate at hand so a run
// can never hang.
constexpr int kMaxRejections = 10000;

int drawOffset(core::RandomSource& random, int n) {
    int k = random.below(kStepRange);
    if (n < kStepRange)
        k = random.below(kSmallStepRange);
    return k;
}

// Uniform over the whole pool: every entry has the same chance.
void jumpAnywhere(Pool& pool, core::RandomSource& random) {
    const int k = random.below(pool.size());
    pool.first();
    pool.moveBy(k);
}

bool accepted(Pool& pool, core::RandomSource& random, core::Database& db, int& rejections) {
    const double r = random.real();
    return KnowledgeWeight(db, pool.vocabularyId(), r) || ++rejections > kMaxRejections;
}

} // namespace

int orderModeFromText(const QString& text) {
    if (text == QLatin1String("Sequentiell"))
        return Sequential;
    if (text == QStringLiteral("Zufällig"))
        return Random;
    if (text == QStringLiteral("Nach Können"))
        return ByKnowledge;
    return 0;
}

void RandomStep(Pool& pool, core::RandomSource& random, const AskedList* avoid) {
    const int n = pool.size();
    if (n == 0)
        return;
    int k = drawOffset(random, n);
    if (pool.position() + k > n) {
        pool.first();
        // In pools under five entries the offset may still overshoot; it would
        // stop on the last entry and favour it. Draw inside the pool instead.
        if (1 + k > n)
            k = random.below(n);
    }
    if (avoid) {
        // The walk below ends with certainty for any fair random source; the
        // bound only guards against one that keeps returning the same value.
        long long steps = 0;
        const long long maxSteps = 4LL * n + 1000;
        while (avoid->contains(pool.position() + k)) {
            if (++steps > maxSteps) {
                int p = pool.position();
                for (int i = 0; i < n && avoid->contains(p); ++i)
                    p = p % n + 1;
                pool.setPosition(p);
                return;
            }
            k = random.below(kStepRange);
            pool.next();
            if (n < kStepRange)
                k = random.below(kSmallStepRange);
            if (pool.atEnd())
                pool.first();
            if (pool.position() + k > n) {
                pool.first();
                k = 0;
            }
        }
    }
    pool.moveBy(k);
}

bool KnowledgeWeight(core::Database& db, int vocabularyId, double r) {
    const int user = db.users.integer(core::field::kId);
    if (db.knowledge.locate(core::field::kKnowledgeKey, {vocabularyId, user}))
        return !(db.knowledge.number(core::field::kCoefficient) * r >= 0.5);
    return !(r >= 0.5);
}

DrawResult nextTestEntry(Pool& pool, AskedList& asked, const core::PracticeOptions& options, core::RandomSource& random,
                         core::Database& db, const std::function<void()>& show) {
    const int n = pool.size();
    if (n == 0)
        return DrawResult::EndOfPool;
    int rejections = 0;
    switch (options.OrderMode) {
    case Random:
        if (options.loop) {
            RandomStep(pool, random, nullptr);
        } else {
            if (n <= asked.size())
                return DrawResult::EndOfPool;
            RandomStep(pool, random, &asked);
            asked.append(pool.position());
        }
        show();
        return DrawResult::Shown;
    case ByKnowledge:
        if (options.loop) {
            do
                RandomStep(pool, random, nullptr);
            while (!accepted(pool, random, db, rejections));
        } else {
            if (n <= asked.size())
                return DrawResult::EndOfPool;
            do
                RandomStep(pool, random, &asked);
            while (!accepted(pool, random, db, rejections));
            asked.append(pool.position());
        }
        show();
        return DrawResult::Shown;
    default:
        if (pool.atEnd()) {
            if (!options.loop)
                return DrawResult::EndOfPool;
            pool.first();
        }
        show();
        pool.next();
        return DrawResult::Shown;
    }
}

DrawResult nextLearnEntry(Pool& pool, AskedList& asked, const core::PracticeOptions& options,
                          core::RandomSource& random, core::Database& db, bool single, int phase,
                          const std::function<void()>& show) {
    const int n = pool.size();
    if (n == 0)
        return DrawResult::EndOfPool;
    const bool staying = single && phase == 2;
    int rejections = 0;
    switch (options.OrderMode) {
    case Random:
    case ByKnowledge: {
        const bool weighted = options.OrderMode == ByKnowledge;
        if (options.loop) {
            if (!staying) {
                do
                    jumpAnywhere(pool, random);
                while (weighted && !accepted(pool, random, db, rejections));
            }
        } else {
            if (n <= asked.size() && !staying)
                return DrawResult::EndOfPool;
            if (!staying) {
                do
                    RandomStep(pool, random, &asked);
                while (weighted && !accepted(pool, random, db, rejections));
                asked.append(pool.position());
            }
        }
        show();
        return DrawResult::Shown;
    }
    default:
        if (!pool.atEnd()) {
            show();
            if (!(single && phase == 1))
                pool.next();
            return DrawResult::Shown;
        }
        if (options.loop) {
            if (!staying)
                pool.first();
        } else if (phase == 1) {
            return DrawResult::EndOfPool;
        }
        show();
        return DrawResult::Shown;
    }
}

} // namespace training
