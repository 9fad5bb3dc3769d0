// The condition compiler: the tokens of every accepted condition in the order of the text, and
// the messages and partial results of every fault.
#include "language/condition.h"
#include "program_dump.h"

#include <QTest>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

QString Tokens(const TBooleexp& condition) {
    QStringList names;
    for (TFunktion token : condition)
        names << QString::fromStdString(TokenName(token));
    return names.join(QLatin1Char(' '));
}

} // namespace

class TestCondition : public QObject {
    Q_OBJECT
private slots:
    void compile_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("tokens");
        QTest::addColumn<QStringList>("messages"); // all with the line number 7
        const QString boolean = QStringLiteral("7: Fehler im booleschen Ausdruck!");
        const QString parenthesis = QStringLiteral("7: Klammerfehler!");

        // Accepted conditions.
        QTest::newRow("a sensor") << QByteArray("vorne_frei") << "vorne_frei" << QStringList{};
        QTest::newRow("every sensor")
            << QByteArray(
                   "vorne_frei or rechts_frei or links_frei or liegt_futter or feld_leer or feld_voll or "
                   "hat_vorrat or nordwaerts or westwaerts or suedwaerts or ostwaerts")
            << "vorne_frei or rechts_frei or links_frei or liegt_futter or feld_leer or feld_voll or "
               "hat_vorrat "
               "or nordwaerts or westwaerts or suedwaerts or ostwaerts"
            << QStringList{};
        QTest::newRow("not") << QByteArray("not vorne_frei") << "not vorne_frei" << QStringList{};
        QTest::newRow("not before a parenthesis")
            << QByteArray("not(vorne_frei)") << "not ( vorne_frei )" << QStringList{};
        QTest::newRow("two groups")
            << QByteArray("(nordwaerts and rechts_frei) or (not(nordwaerts) and vorne_frei)")
            << "( nordwaerts and rechts_frei ) or ( not ( nordwaerts ) and vorne_frei )" << QStringList{};
        QTest::newRow("or not") << QByteArray("rechts_frei or not(hat_vorrat)")
                                << "rechts_frei or not ( hat_vorrat )" << QStringList{};
        QTest::newRow("not not") << QByteArray("not not vorne_frei") << "not not vorne_frei" << QStringList{};
        QTest::newRow("and right after a sensor")
            << QByteArray("vorne_freiand links_frei") << "vorne_frei and links_frei" << QStringList{};
        QTest::newRow("parentheses without blanks")
            << QByteArray("((vorne_frei)and(links_frei))or(feld_leer)")
            << "( ( vorne_frei ) and ( links_frei ) ) or ( feld_leer )" << QStringList{};
        QTest::newRow("blanks from joined lines and around")
            << QByteArray("  vorne_frei  and   not  feld_leer ") << "vorne_frei and not feld_leer"
            << QStringList{};
        QTest::newRow("empty") << QByteArray("") << "fufehler" << QStringList{};
        QTest::newRow("only blanks") << QByteArray("   ") << "fufehler" << QStringList{};

        // Faults: the tokens compiled so far stay, the failing slot keeps its value.
        QTest::newRow("first token unknown") << QByteArray("true") << "fufehler" << QStringList{boolean};
        QTest::newRow("a sensor running on")
            << QByteArray("vorne_freix") << "vorne_frei f_null" << QStringList{boolean};
        QTest::newRow("and without blank after")
            << QByteArray("vorne_frei andlinks_frei") << "vorne_frei and f_null" << QStringList{boolean};
        QTest::newRow("not without blank after")
            << QByteArray("notvorne_frei") << "not f_null" << QStringList{boolean};
        QTest::newRow("ends in and") << QByteArray("vorne_frei and") << "vorne_frei and"
                                     << QStringList{boolean};
        QTest::newRow("ends in or after blanks")
            << QByteArray("vorne_frei or  ") << "vorne_frei or" << QStringList{boolean};
        QTest::newRow("not alone") << QByteArray("not") << "not" << QStringList{boolean};
        QTest::newRow("open parenthesis")
            << QByteArray("(vorne_frei") << "( vorne_frei" << QStringList{parenthesis};
        QTest::newRow("surplus parenthesis is reported twice")
            << QByteArray("vorne_frei)") << "vorne_frei )" << QStringList{parenthesis, parenthesis};
        QTest::newRow("closing first") << QByteArray(")") << "fufehler" << QStringList{boolean};
        QTest::newRow("empty parentheses")
            << QByteArray("()") << "( f_null" << QStringList{boolean, parenthesis};
        QTest::newRow("a fault inside stops at once")
            << QByteArray("(vorne_frei and x) or feld_leer") << "( vorne_frei and f_null"
            << QStringList{boolean, parenthesis};
        QTest::newRow("two sensors in a row")
            << QByteArray("vorne_frei links_frei") << "vorne_frei f_null" << QStringList{boolean};
        QTest::newRow("operator first") << QByteArray("and vorne_frei") << "fufehler" << QStringList{boolean};
        QTest::newRow("a tab is no blank")
            << QByteArray("not\tvorne_frei") << "not f_null" << QStringList{boolean};
        QTest::newRow("capitals do not arrive here")
            << QByteArray("Vorne_frei") << "fufehler" << QStringList{boolean};
    }

    void compile() {
        QFETCH(QByteArray, text);
        QFETCH(QString, tokens);
        QFETCH(QStringList, messages);
        std::vector<std::string> got{"before"};
        const TBooleexp condition = CompileCondition(text.toStdString(), 7, got);
        QCOMPARE(Tokens(condition), tokens);
        QStringList gotMessages;
        for (size_t i = 1; i < got.size(); ++i)
            gotMessages << QString::fromStdString(got[i]);
        QCOMPARE(gotMessages, messages);
        QCOMPARE(got.front(), std::string("before")); // messages are appended
    }
};

QTEST_GUILESS_MAIN(TestCondition)
#include "test_condition.moc"
