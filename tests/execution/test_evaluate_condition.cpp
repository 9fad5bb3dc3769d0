// Conditions at run time: the engine's evaluator against a literal reduction of the working
// sequence (innermost group first; in each group every "not", then every "and", then every "or",
// from the left), over many random conditions that the condition compiler accepts and many
// random worlds; precedence cases by hand; two or more "not" in a row; deep nesting.
#include "execution/engine.h"
#include "language/condition.h"

#include <QRandomGenerator>
#include <QTest>
#include <optional>

using namespace nibbo;

namespace {

// The reduction, step by step on a copy of the tokens. Nothing when it does not come down to a
// single value.
std::optional<bool> Reduce(const TBooleexp& condition, const World& world, const StockField& stock) {
    std::vector<TFunktion> work{klammerL};
    work.insert(work.end(), condition.begin(), condition.end());
    work.push_back(klammerR);
    for (TFunktion& token : work)
        if (IsSensor(token)) token = EvaluateSensor(token, world, stock) ? _true : _false;
    const auto firstBetween = [&work](size_t j, size_t i, TFunktion what) -> size_t {
        for (size_t k = j + 1; k < i; ++k)
            if (work[k] == what) return k;
        return 0;
    };
    for (;;) {
        size_t i = 1;
        while (i < work.size() && work[i] != klammerR)
            ++i;
        if (i == work.size()) return std::nullopt;
        size_t j = i;
        while (j > 0 && work[j] != klammerL)
            --j;
        if (work[j] != klammerL) return std::nullopt;
        if (i - j > 2) {
            for (size_t k; (k = firstBetween(j, i, _not)) != 0;) {
                work.erase(work.begin() + std::ptrdiff_t(k));
                work[k] = work[k] == _true ? _false : _true;
                --i;
            }
            for (const TFunktion op : {_and, _or}) {
                for (size_t k; (k = firstBetween(j, i, op)) != 0;) {
                    const bool left = work[k - 1] == _true;
                    const bool right = work[k + 1] == _true;
                    work[k] = (op == _and ? left && right : left || right) ? _true : _false;
                    work.erase(work.begin() + std::ptrdiff_t(k + 1));
                    work.erase(work.begin() + std::ptrdiff_t(k - 1));
                    i -= 2;
                }
            }
        }
        work.erase(work.begin() + std::ptrdiff_t(i));
        work.erase(work.begin() + std::ptrdiff_t(j));
        if (i == 2) break;
    }
    if (work.size() != 1) return std::nullopt;
    return work[0] == _true;
}

const char* const kSensors[11] = {"vorne_frei", "rechts_frei", "links_frei", "liegt_futter",
                                  "feld_leer",  "feld_voll",   "hat_vorrat", "nordwaerts",
                                  "westwaerts", "suedwaerts",  "ostwaerts"};

// Random condition texts of the accepted language. `maxNots` is the most "not" in a row.
class ConditionWriter {
public:
    ConditionWriter(QRandomGenerator& random, int maxNots) : random_(random), maxNots_(maxNots) {}

    std::string Expression(int depth) {
        std::string text = Term(depth);
        for (int terms = int(random_.bounded(4)); terms > 0; --terms)
            text += std::string(random_.bounded(2) ? " and " : " or ") + Term(depth);
        return text;
    }

private:
    std::string Term(int depth) {
        std::string text;
        for (int nots = int(random_.bounded(maxNots_ + 2)) - 1; nots > 0; --nots)
            text += "not ";
        if (depth > 0 && random_.bounded(3) == 0) {
            // "not(" without a blank, and blanks inside the parentheses or not.
            if (!text.empty() && random_.bounded(2)) text.pop_back();
            const char* pad = random_.bounded(2) ? " " : "";
            return text + "(" + pad + Expression(depth - 1) + pad + ")";
        }
        return text + kSensors[random_.bounded(11)];
    }

    QRandomGenerator& random_;
    int maxNots_;
};

// A world around the figure with random walls and food, a random facing and a random stock.
void Scramble(QRandomGenerator& random, World& world, StockField& stock) {
    ClearWorld(world);
    world.StartColumn = 2 + int(random.bounded(22));
    world.StartRow = 2 + int(random.bounded(18));
    world.Orientation = uint8_t(random.bounded(4));
    world.StartPlaced = true;
    for (int dc = -1; dc <= 1; ++dc)
        for (int dr = -1; dr <= 1; ++dr) {
            const int column = world.StartColumn + dc, row = world.StartRow + dr;
            if (!InInterior(column, row)) continue;
            const int pick = int(random.bounded(4));
            SetCell(world, column, row, pick == 0 ? kWall : pick == 1 ? int(random.bounded(1, 10)) : 0);
        }
    SetCell(world, world.StartColumn, world.StartRow, random.bounded(3) ? 0 : int(random.bounded(1, 10)));
    stock.WriteStock(int(random.bounded(3)));
}

TBooleexp Compile(const std::string& text) {
    std::vector<std::string> messages;
    const TBooleexp condition = CompileCondition(text, 0, messages);
    if (!messages.empty()) qFatal("\"%s\" does not compile: %s", text.c_str(), messages.front().c_str());
    return condition;
}

// Two "not" in a row cancel out; what is left has no such pair.
TBooleexp WithoutDoubleNegation(TBooleexp condition) {
    for (size_t k = 0; k + 1 < condition.size();) {
        if (condition[k] == _not && condition[k + 1] == _not)
            condition.erase(condition.begin() + std::ptrdiff_t(k), condition.begin() + std::ptrdiff_t(k + 2));
        else
            ++k;
    }
    return condition;
}

struct CountingStock : PlainStockField {
    mutable int Reads = 0;
    int ReadStock() const override {
        ++Reads;
        return PlainStockField::ReadStock();
    }
};

} // namespace

class TestEvaluateCondition : public QObject {
    Q_OBJECT
private:
    World world_;
    PlainStockField stock_;

private slots:
    void init() {
        // The figure at (2, 2) facing east on an empty cell, no stock: true are vorne_frei,
        // rechts_frei, feld_leer and ostwaerts; every other sensor is false.
        ClearWorld(world_);
        world_.StartColumn = 2;
        world_.StartRow = 2;
        world_.Orientation = East;
        world_.StartPlaced = true;
        stock_.WriteStock(0);
    }

    void precedence_data() {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<bool>("value");
        QTest::newRow("a sensor") << "vorne_frei" << true;
        QTest::newRow("not binds tighter than and") << "not vorne_frei and links_frei" << false;
        QTest::newRow("not binds tighter than or") << "not links_frei or links_frei" << true;
        QTest::newRow("and binds tighter than or, or first")
            << "vorne_frei or links_frei and hat_vorrat" << true;
        QTest::newRow("and binds tighter than or, or last")
            << "links_frei and hat_vorrat or vorne_frei" << true;
        QTest::newRow("and before or in the middle")
            << "links_frei or vorne_frei and feld_leer or hat_vorrat" << true;
        QTest::newRow("not before a group negates the group") << "not (vorne_frei and links_frei)" << true;
        QTest::newRow("not before a one-sensor group") << "not(vorne_frei) and links_frei" << false;
        QTest::newRow("parentheses first") << "(vorne_frei or links_frei) and hat_vorrat" << false;
        QTest::newRow("and from the left") << "vorne_frei and feld_leer and links_frei" << false;
        QTest::newRow("or from the left") << "links_frei or hat_vorrat or ostwaerts" << true;
        QTest::newRow("the model's example") << "(nordwaerts and rechts_frei) or not(hat_vorrat)" << true;
        QTest::newRow("a group in parentheses twice") << "((ostwaerts))" << true;
        QTest::newRow("not before a group that begins with not") << "not (not vorne_frei)" << true;
        QTest::newRow("two not in a row negate twice") << "not not vorne_frei" << true;
        QTest::newRow("three not in a row negate once") << "not not not vorne_frei" << false;
        QTest::newRow("two not before a group") << "not not(links_frei or vorne_frei) and feld_leer" << true;
        QTest::newRow("two not after and") << "feld_leer and not not hat_vorrat" << false;
    }

    void precedence() {
        QFETCH(QString, condition);
        QFETCH(bool, value);
        const TBooleexp compiled = Compile(condition.toStdString());
        QCOMPARE(EvaluateCondition(compiled, world_, stock_), value);
        const std::optional<bool> reduced = Reduce(WithoutDoubleNegation(compiled), world_, stock_);
        QVERIFY(reduced.has_value());
        QCOMPARE(*reduced, value);
    }

    void randomConditionsAgreeWithTheReduction() {
        QRandomGenerator random(20261208);
        ConditionWriter writer(random, 1);
        World world;
        PlainStockField stock;
        for (int n = 0; n < 3000; ++n) {
            const std::string text = writer.Expression(int(random.bounded(5)));
            const TBooleexp condition = Compile(text);
            for (int w = 0; w < 6; ++w) {
                Scramble(random, world, stock);
                const std::optional<bool> reduced = Reduce(condition, world, stock);
                QVERIFY2(reduced.has_value(), text.c_str());
                QVERIFY2(EvaluateCondition(condition, world, stock) == *reduced, text.c_str());
            }
        }
    }

    void severalNotInARowNegateOnceForEach() {
        // The reduction does not reach a single value here; each pair of "not" cancels out.
        QRandomGenerator random(4711);
        ConditionWriter writer(random, 4);
        World world;
        PlainStockField stock;
        int withPairs = 0;
        for (int n = 0; n < 2000; ++n) {
            const std::string text = writer.Expression(int(random.bounded(4)));
            const TBooleexp condition = Compile(text);
            const TBooleexp single = WithoutDoubleNegation(condition);
            withPairs += single.size() < condition.size();
            for (int w = 0; w < 4; ++w) {
                Scramble(random, world, stock);
                const std::optional<bool> reduced = Reduce(single, world, stock);
                QVERIFY2(reduced.has_value(), text.c_str());
                QVERIFY2(EvaluateCondition(condition, world, stock) == *reduced, text.c_str());
            }
        }
        QVERIFY(withPairs > 500);
    }

    void deepNesting() {
        // A pupil's condition may hold thousands of parentheses.
        const int depth = 200000;
        TBooleexp condition(size_t(depth), klammerL);
        condition.push_back(links_frei);
        condition.insert(condition.end(), size_t(depth), klammerR);
        QCOMPARE(EvaluateCondition(condition, world_, stock_), false);

        TBooleexp negated;
        for (int k = 0; k < depth; ++k) {
            negated.push_back(_not);
            negated.push_back(klammerL);
        }
        negated.push_back(links_frei);
        negated.insert(negated.end(), size_t(depth), klammerR);
        QCOMPARE(EvaluateCondition(negated, world_, stock_), false); // an even number of negations
        negated.insert(negated.begin(), _not);
        QCOMPARE(EvaluateCondition(negated, world_, stock_), true);

        // Nested to the right: links_frei or (links_frei or (... or (vorne_frei)))
        TBooleexp chain;
        for (int k = 0; k < depth; ++k)
            chain.insert(chain.end(), {links_frei, _or, klammerL});
        chain.push_back(vorne_frei);
        chain.insert(chain.end(), size_t(depth), klammerR);
        QCOMPARE(EvaluateCondition(chain, world_, stock_), true);
    }

    void nothingIsCutShort() {
        // links_frei is false, so hat_vorrat cannot change the "and"; it is read all the same.
        for (const char* text : {"links_frei and hat_vorrat", "vorne_frei or hat_vorrat",
                                 "links_frei and (vorne_frei or not hat_vorrat and feld_leer)"}) {
            CountingStock stock;
            EvaluateCondition(Compile(text), world_, stock);
            QVERIFY2(stock.Reads == 1, text);
        }
    }
};

QTEST_GUILESS_MAIN(TestEvaluateCondition)
#include "test_evaluate_condition.moc"
