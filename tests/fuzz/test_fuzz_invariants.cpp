// The reference evaluation of conditions that the fuzz targets compare the engine with: the
// precedence of the language, token sequences that are no condition, and nesting far deeper than
// any call stack could follow.
#include "fuzz/invariants.h"
#include "language/condition.h"

#include <QTest>

using namespace nibbo;

namespace {

// Only vorne_frei and ostwaerts are true.
bool Sensor(TFunktion token) {
    return token == vorne_frei || token == ostwaerts;
}

} // namespace

class TestFuzzInvariants : public QObject {
    Q_OBJECT
private slots:
    void valuesByPrecedence_data() {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<bool>("value");
        QTest::newRow("not before and") << "not vorne_frei and links_frei" << false;
        QTest::newRow("a not negates only its operand") << "not links_frei and vorne_frei" << true;
        QTest::newRow("and before or") << "vorne_frei or links_frei and hat_vorrat" << true;
        QTest::newRow("each not negates") << "not not not(not vorne_frei)" << true;
        QTest::newRow("groups in groups") << "((ostwaerts) and not (links_frei or (hat_vorrat)))" << true;
    }

    void valuesByPrecedence() {
        QFETCH(QString, condition);
        QFETCH(bool, value);
        std::vector<std::string> messages;
        const TBooleexp tokens = CompileCondition(condition.toStdString(), 0, messages);
        QVERIFY(messages.empty());
        QVERIFY(fuzz::IsWellFormedCondition(tokens));
        QCOMPARE(fuzz::ReferenceValue(tokens, Sensor), value);
    }

    void sequencesThatAreNoCondition() {
        const std::vector<TBooleexp> refused = {
            {},        {klammerL, vorne_frei},   {vorne_frei, klammerR}, {vorne_frei, _and},
            {_not},    {vorne_frei, links_frei}, {klammerL, klammerR},   {vorne_frei, _not, links_frei},
            {fufehler}};
        for (const TBooleexp& tokens : refused)
            QVERIFY(!fuzz::IsWellFormedCondition(tokens));
    }

    void aMillionNestedGroups() {
        // "not (" a million times: an even number of negations around vorne_frei.
        constexpr size_t kDepth = 1'000'000;
        TBooleexp tokens;
        for (size_t i = 0; i < kDepth; ++i)
            tokens.insert(tokens.end(), {_not, klammerL});
        tokens.push_back(vorne_frei);
        tokens.insert(tokens.end(), kDepth, klammerR);
        QVERIFY(fuzz::IsWellFormedCondition(tokens));
        QCOMPARE(fuzz::ReferenceValue(tokens, Sensor), true);
        tokens.pop_back();
        QVERIFY(!fuzz::IsWellFormedCondition(tokens));
    }
};

QTEST_GUILESS_MAIN(TestFuzzInvariants)
#include "test_fuzz_invariants.moc"
