// The help window: its tabs and pages, "Hilfe" always opening on the first page, one page per tab,
// the recording page taking notes that last while the others refuse input, and the page texts with
// their headings, their quoted lines and their example programs.
#include "language/syntax_check.h"
#include "shell/text_codec.h"
#include "support/form_fixture.h"
#include "support/help_examples.h"
#include "windows/helpunit.h"
#include "windows/tab_control.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

struct PageRow {
    const char* caption;
    const char* objectName;
    const char* heading;
    bool enabled;
};

const PageRow kPageTable[kHelpPageCount] = {
    {"Über Nibbo", "UeberNibboEdit", "Nibbo", false},
    {"Nibbos Welt", "WeltRichEdit", "Nibbos Welt", false},
    {"Aufzeichnen", "AufzeichnungRichEdit", "Aufzeichnen / Handsteuerung", true},
    {"grundlegende Syntax", "SyntaxRichEdit", "grundlegende Syntax", false},
    {"Proceduren", "ProcedurenRichEdit", "Proceduren", false},
    {"Sensoren", "SensorenRichEdit", "Sensoren", false},
    {"Entscheidungen", "EntscheidungenRichEdit", "Entscheidungen", false},
    {"Schleifen", "SchleifenRichEdit", "Wiederholungen / Schleifen", false},
};

QStringList PageLines(int tab) {
    return HelpPageText(tab).split(QLatin1Char('\n'));
}

// The tabs whose pages are visible in the window.
QList<int> VisiblePages(const THelpForm& help) {
    QList<int> visible;
    for (int tab = 0; tab < kHelpPageCount; ++tab)
        if (help.Page(tab)->isVisibleTo(&help)) visible.append(tab);
    return visible;
}

void ClickTab(THelpForm& help, int tab) {
    QTest::mouseClick(help.RegelTabControl, Qt::LeftButton, {}, help.RegelTabControl->TabRect(tab).center());
}

// The main window with a help window handed to it, as at program start.
struct HelpFixture {
    FormFixture main;
    THelpForm help;
    HelpFixture() { main.Form->HelpForm = &help; }
    void ChooseHilfe() { main.Form->HilfeMenuItem->trigger(); }
};

HelpExample Program(int tab, QStringList lines) {
    return {tab, true, std::move(lines)};
}
HelpExample Fragment(int tab, QStringList lines) {
    return {tab, false, std::move(lines)};
}

} // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT
private slots:
    void windowHasItsTabsAndPages() {
        THelpForm help;
        QCOMPARE(help.windowTitle(), QStringLiteral("Nibbo Hilfe"));
        QCOMPARE(help.windowType(), Qt::Tool);
        QCOMPARE(help.size(), QSize(611, 685));
        QCOMPARE(help.minimumSize(), help.maximumSize());
        QCOMPARE(help.pos(), QPoint(389, 5));
        QVERIFY(help.isHidden());

        TTabControl& tabs = *help.RegelTabControl;
        QCOMPARE(tabs.objectName(), QStringLiteral("RegelTabControl"));
        QCOMPARE(tabs.geometry(), QRect(0, 0, 611, 685));
        QCOMPARE(tabs.Count(), kHelpPageCount);
        QCOMPARE(tabs.TabIndex(), 0);
        const QRect display = tabs.DisplayRect();
        QCOMPARE(display.left(), 4);
        QCOMPARE(display.width(), 603);
        QCOMPARE(display.bottom(), 685 - 4 - 1);
        for (int tab = 0; tab < kHelpPageCount; ++tab) {
            const PageRow& row = kPageTable[tab];
            QCOMPARE(tabs.TabCaption(tab), QString::fromUtf8(row.caption));
            QVERIFY(tabs.TabRect(tab).bottom() < display.top());
            QTextEdit* page = help.Page(tab);
            QCOMPARE(page->objectName(), QLatin1String(row.objectName));
            QCOMPARE(page->geometry(), display);
            QCOMPARE(page->font().pixelSize(), 13);
            QCOMPARE(page->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QCOMPARE(page->lineWrapMode(), QTextEdit::WidgetWidth);
            QCOMPARE(page->toPlainText(), HelpPageText(tab));
        }
        const QList<QTextEdit*> named = {help.UeberNibboEdit,         help.WeltRichEdit,
                                         help.AufzeichnungRichEdit,   help.SyntaxRichEdit,
                                         help.ProcedurenRichEdit,     help.SensorenRichEdit,
                                         help.EntscheidungenRichEdit, help.SchleifenRichEdit};
        for (int tab = 0; tab < kHelpPageCount; ++tab)
            QCOMPARE(named[tab], help.Page(tab));
        QCOMPARE(help.Page(-1), nullptr);
        QCOMPARE(help.Page(kHelpPageCount), nullptr);
    }

    void everyPageBeginsWithItsHeadingAndAnEmptyLine() {
        for (int tab = 0; tab < kHelpPageCount; ++tab) {
            const QStringList lines = PageLines(tab);
            QVERIFY2(lines.size() > 3, qPrintable(QString::number(tab)));
            QCOMPARE(lines[0], QString::fromUtf8(kPageTable[tab].heading));
            QCOMPARE(lines[1], QString());
            QVERIFY(!lines[2].trimmed().isEmpty());
            QVERIFY2(!lines.last().isEmpty(), "no empty line at the end of a page");
            QVERIFY(!HelpPageText(tab).contains(QLatin1Char('\r')));
        }
        QVERIFY(HelpPageText(-1).isEmpty());
        QVERIFY(HelpPageText(kHelpPageCount).isEmpty());
    }

    void quotedLinesStandOnThePagesExactly() {
        const struct {
            int tab;
            const char* line;
        } quoted[] = {
            {2, "n - nimm_auf:"},
            {2, "g - gib_ab:"},
            {2, "v - vor:"},
            {2, "d - drehe_links:"},
            {2, "procedure -> program, end; -> end."},
            {3, "program bezeichner;"},
            {3, "begin"},
            {3, "..."},
            {3, "end."},
            {3, "Kommentare"},
            {3, "  { ...}"},
            {3, "  (* ... *)"},
            {3, "  // ..."},
            {5, "Sensor\twahr, falls"},
            {7, "abweisende Schleife"},
            {7, "nichtabweisende Schleife"},
        };
        for (const auto& q : quoted)
            QVERIFY2(PageLines(q.tab).contains(QString::fromUtf8(q.line)), q.line);

        // The two instruction lines of the recording page come in the order of the keys' table.
        const QStringList recording = PageLines(2);
        QVERIFY(recording.indexOf(QStringLiteral("n - nimm_auf:")) <
                recording.indexOf(QStringLiteral("g - gib_ab:")));
        QVERIFY(recording.indexOf(QStringLiteral("g - gib_ab:")) <
                recording.indexOf(QStringLiteral("v - vor:")));
        QVERIFY(recording.indexOf(QStringLiteral("v - vor:")) <
                recording.indexOf(QStringLiteral("d - drehe_links:")));

        // The sensor table: ten sensors, each opening a row of two columns; liegt_futter is not on it.
        const QStringList sensors = PageLines(5);
        const char* const names[] = {"vorne_frei", "rechts_frei", "links_frei", "feld_leer",  "feld_voll",
                                     "hat_vorrat", "nordwaerts",  "suedwaerts", "westwaerts", "ostwaerts"};
        const qsizetype header = sensors.indexOf(QStringLiteral("Sensor\twahr, falls"));
        for (int k = 0; k < 10; ++k) {
            const QStringList columns = sensors[header + 1 + k].split(QLatin1Char('\t'));
            QCOMPARE(columns.size(), 2);
            QCOMPARE(columns[0], QLatin1String(names[k]));
            QVERIFY(!columns[1].isEmpty());
        }
        QVERIFY(!HelpPageText(5).contains(QLatin1String("liegt_futter")));

        // The about page names the team and carries a licence note.
        QVERIFY(HelpPageText(0).contains(QLatin1String("das Nibbo-Team")));
        QVERIFY(PageLines(0).contains(QStringLiteral("Lizenz")));
    }

    void extractionFindsEveryExampleOfThePages() {
        const QList<HelpExample> expected = {
            Program(3, {"program friss_und_zurueck;", "begin", "  vor;", "  nimm_auf;", "  drehe_links;",
                        "  drehe_links;", "  vor;", "end."}),
            Program(4, {"program komm_zurueck;", "", "procedure drehe_um;", "begin", "  drehe_links;",
                        "  drehe_links;", "end;", "", "begin", "  vor;", "  vor;", "  drehe_um;", "  vor;",
                        "  vor;", "end."}),
            Fragment(6, {"if (nordwaerts and rechts_frei) or (not(nordwaerts) and vorne_frei)", "  then",
                         "    drehe_links", "  else", "    begin", "      vor;", "      vor;", "    end;"}),
            Fragment(
                6, {"if links_frei", "  then", "    begin", "      drehe_links;", "      vor;", "    end;"}),
            Fragment(7, {"while vorne_frei do", "  vor;"}),
            Fragment(7, {"repeat", "  gib_ab;", "  vor;", "until (rechts_frei or not(hat_vorrat));"}),
        };
        const QList<HelpExample> found = AllHelpExamples();
        QCOMPARE(found.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QCOMPARE(found[i].Tab, expected[i].Tab);
            QCOMPARE(found[i].IsProgram, expected[i].IsProgram);
            QCOMPARE(found[i].Lines, expected[i].Lines);
        }
    }

    void extractionRules_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QList<QStringList>>("examples");
        QTest::newRow("program with empty lines, through end.")
            << "Kopf\n\nBeispielprogramm:\n\nprogram p;\n\nbegin\n  vor;\nend.\nDanach Text.\n"
            << QList<QStringList>{{"program p;", "", "begin", "  vor;", "end."}};
        QTest::newRow("fragment up to the empty line")
            << "Beispiel:\nwhile vorne_frei do\n  vor;\n\nwhile links_frei do\n  vor;\n"
            << QList<QStringList>{{"while vorne_frei do", "  vor;"}};
        QTest::newRow("CR LF line breaks")
            << "Beispiel (einseitig):\r\nif links_frei\r\n  then\r\n    vor;\r\n"
            << QList<QStringList>{{"if links_frei", "  then", "    vor;"}};
        QTest::newRow("a form without a marker is no example")
            << "program bezeichner;\nbegin\n...\nend.\n  while Bedingung do Anweisung\n"
            << QList<QStringList>{};
        QTest::newRow("a marker over prose or comments is no example")
            << "Beispiel:\n  { ...}\n\nBeispiele sind gut:\nEin Satz.\n"
            << QList<QStringList>{};
        QTest::newRow("a program without end. runs to the end of the page")
            << "Beispiel:\nprogram p;\nbegin\n  vor;\n"
            << QList<QStringList>{{"program p;", "begin", "  vor;", ""}};
        QTest::newRow("two examples in a row")
            << "Beispiel:\nrepeat\n  vor;\nuntil vorne_frei;\nBeispiel:\nif feld_leer then vor;\n"
            << QList<QStringList>{{"repeat", "  vor;", "until vorne_frei;"}, {"if feld_leer then vor;"}};
    }

    void extractionRules() {
        QFETCH(QString, page);
        QFETCH(QList<QStringList>, examples);
        const QList<HelpExample> found = ExtractExamples(page, 1);
        QCOMPARE(found.size(), examples.size());
        for (qsizetype i = 0; i < found.size(); ++i) {
            QCOMPARE(found[i].Lines, examples[i]);
            QCOMPARE(found[i].Tab, 1);
        }
    }

    void examplesBecomeProgramsForTheSyntaxCheck() {
        const QList<HelpExample> examples = AllHelpExamples();
        // A whole program stands as it is; a fragment becomes the main block of a small program.
        QCOMPARE(ExampleProgram(examples[0]), ToCoreLines(examples[0].Lines));
        const SourceLines wrapped = ExampleProgram(examples[4]);
        const SourceLines expected = {"program beispiel;", "begin", "  while vorne_frei do", "    vor;",
                                      "end."};
        QCOMPARE(wrapped, expected);
        for (const HelpExample& example : examples) {
            const SourceLines program = ExampleProgram(example);
            QCOMPARE(program.front().substr(0, 8), std::string("program "));
            QCOMPARE(program.back(), std::string("end."));
        }
    }

    void everyExampleProgramPassesTheSyntaxCheck() {
        const QList<HelpExample> examples = AllHelpExamples();
        QVERIFY(!examples.isEmpty());
        for (const HelpExample& example : examples) {
            TProcTable table;
            ScannerPosition scanner;
            const std::vector<std::string> messages = CheckSyntax(ExampleProgram(example), table, scanner);
            QVERIFY2(messages.empty(),
                     qPrintable(example.Lines.join(QLatin1Char('\n')) + QStringLiteral("\n=> ") +
                                QString::fromStdString(messages.empty() ? "" : messages[0])));
            QVERIFY(!table.empty() && !table[0].Statements.empty());
        }
    }

    void hilfeAlwaysOpensOnTheFirstTab() {
        HelpFixture f;
        // Before "Hilfe" the window is hidden, and without a help window the command does nothing.
        QVERIFY(!f.help.isVisible());
        f.main.Form->HelpForm = nullptr;
        f.ChooseHilfe();
        QVERIFY(!f.help.isVisible());
        f.main.Form->HelpForm = &f.help;

        f.ChooseHilfe();
        QVERIFY(f.help.isVisible());
        QCOMPARE(f.help.RegelTabControl->TabIndex(), 0);
        QCOMPARE(VisiblePages(f.help), QList<int>{0});

        // Open on another tab: "Hilfe" switches back to tab 0 and its page.
        ClickTab(f.help, 5);
        QCOMPARE(f.help.RegelTabControl->TabIndex(), 5);
        QCOMPARE(VisiblePages(f.help), QList<int>{5});
        f.ChooseHilfe();
        QVERIFY(f.help.isVisible());
        QCOMPARE(f.help.RegelTabControl->TabIndex(), 0);
        QCOMPARE(VisiblePages(f.help), QList<int>{0});

        // Closed on another tab: the next "Hilfe" shows tab 0 again.
        ClickTab(f.help, 7);
        QVERIFY(f.help.close());
        QVERIFY(!f.help.isVisible());
        f.ChooseHilfe();
        QVERIFY(f.help.isVisible());
        QCOMPARE(f.help.RegelTabControl->TabIndex(), 0);
        QCOMPARE(VisiblePages(f.help), QList<int>{0});

        // The main window stays usable: the help is no modal window.
        QVERIFY(!f.help.isModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void everyTabShowsExactlyItsOwnPage() {
        HelpFixture f;
        f.ChooseHilfe();
        QSignalSpy changes(f.help.RegelTabControl, &TTabControl::Change);
        // Every tab, then back and forth across the rows of tabs.
        const int order[] = {0, 1, 2, 3, 4, 5, 6, 7, 3, 7, 0, 6, 1, 5, 2, 4, 4, 0};
        int previous = 0;
        int expectedChanges = 0;
        for (int tab : order) {
            ClickTab(f.help, tab);
            if (tab != previous) ++expectedChanges;
            previous = tab;
            QCOMPARE(f.help.RegelTabControl->TabIndex(), tab);
            QCOMPARE(VisiblePages(f.help), QList<int>{tab});
        }
        // A click on the tab already selected is no change.
        QCOMPARE(changes.size(), expectedChanges);

        // The keyboard walks the tabs the same way.
        f.help.RegelTabControl->setFocus();
        ClickTab(f.help, 0);
        for (int tab = 1; tab < kHelpPageCount; ++tab) {
            QTest::keyClick(f.help.RegelTabControl, Qt::Key_Right);
            QCOMPARE(VisiblePages(f.help), QList<int>{tab});
        }
        QTest::keyClick(f.help.RegelTabControl, Qt::Key_Right);
        QCOMPARE(f.help.RegelTabControl->TabIndex(), kHelpPageCount - 1);
        QTest::keyClick(f.help.RegelTabControl, Qt::Key_Home);
        QCOMPARE(VisiblePages(f.help), QList<int>{0});
        QTest::keyClick(f.help.RegelTabControl, Qt::Key_End);
        QCOMPARE(VisiblePages(f.help), QList<int>{kHelpPageCount - 1});
        QTest::keyClick(f.help.RegelTabControl, Qt::Key_Left);
        QCOMPARE(VisiblePages(f.help), QList<int>{kHelpPageCount - 2});

        // Selecting from the program raises no change; the handler then shows that tab's page, and
        // no page at all for no tab.
        changes.clear();
        f.help.RegelTabControl->SetTabIndex(3);
        QCOMPARE(changes.size(), 0);
        QCOMPARE(VisiblePages(f.help), QList<int>{kHelpPageCount - 2});
        f.help.RegelTabControlChange();
        QCOMPARE(VisiblePages(f.help), QList<int>{3});
        f.help.RegelTabControl->SetTabIndex(-1);
        f.help.RegelTabControlChange();
        QCOMPARE(VisiblePages(f.help), QList<int>{});
        f.help.RegelTabControl->SetTabIndex(kHelpPageCount);
        QCOMPARE(f.help.RegelTabControl->TabIndex(), -1);
    }

    void recordingPageKeepsTypedTextOtherPagesRefuseInput() {
        HelpFixture f;
        f.ChooseHilfe();
        QTextEdit* recording = f.help.AufzeichnungRichEdit;
        const QString original = recording->toPlainText();

        ClickTab(f.help, 2);
        QTest::mouseClick(recording->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        recording->moveCursor(QTextCursor::End);
        QTest::keyClicks(recording, QStringLiteral(" Meine Notiz: vor; vor;"));
        QCOMPARE(recording->toPlainText(), original + QStringLiteral(" Meine Notiz: vor; vor;"));
        QVERIFY(!recording->isReadOnly());

        // Closing and opening again keeps the note; "Hilfe" shows tab 0 first.
        f.help.close();
        f.ChooseHilfe();
        QCOMPARE(VisiblePages(f.help), QList<int>{0});
        ClickTab(f.help, 2);
        QCOMPARE(recording->toPlainText(), original + QStringLiteral(" Meine Notiz: vor; vor;"));
        // Its text can be selected too.
        recording->selectAll();
        QVERIFY(recording->textCursor().hasSelection());

        QApplication::clipboard()->setText(QStringLiteral("eingefügt"));
        for (int tab = 0; tab < kHelpPageCount; ++tab) {
            if (kPageTable[tab].enabled) continue;
            ClickTab(f.help, tab);
            QTextEdit* page = f.help.Page(tab);
            const QString text = page->toPlainText();
            // Neither typing, nor deleting, nor pasting changes it.
            QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, QPoint(30, 30));
            QTest::keyClicks(page, QStringLiteral("xyz"));
            QTest::keyClick(page, Qt::Key_Delete);
            QTest::keyClick(page, Qt::Key_Backspace);
            QTest::keyClick(page, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(page, Qt::Key_Return);
            QCOMPARE(page->toPlainText(), text);
            // Nor can any of it be selected, by dragging, double click or Ctrl+A.
            QTest::mousePress(page->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
            QTest::mouseMove(page->viewport(), QPoint(300, 200));
            QTest::mouseRelease(page->viewport(), Qt::LeftButton, {}, QPoint(300, 200));
            QTest::mouseDClick(page->viewport(), Qt::LeftButton, {}, QPoint(40, 12));
            QTest::keyClick(page, Qt::Key_A, Qt::ControlModifier);
            QVERIFY2(!page->textCursor().hasSelection(), page->objectName().toLatin1());
            QVERIFY(!page->hasFocus());
            QCOMPARE(page->focusPolicy(), Qt::NoFocus);
            QCOMPARE(page->contextMenuPolicy(), Qt::NoContextMenu);
            // Shown in the normal colours: a disabled widget would grey its text.
            QVERIFY(page->isEnabled());
        }
    }

    void everyPageFitsWithoutScrollBar() {
        HelpFixture f;
        f.ChooseHilfe();
        QVERIFY(QTest::qWaitForWindowExposed(&f.help));
        for (int tab = 0; tab < kHelpPageCount; ++tab) {
            ClickTab(f.help, tab);
            QTextEdit* page = f.help.Page(tab);
            QCoreApplication::processEvents();
            QVERIFY2(!page->verticalScrollBar()->isVisible(), page->objectName().toLatin1());
            QVERIFY(page->document()->size().height() <= page->viewport()->height());
        }
    }

    void tabsWrapIntoRowsThatFit_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("selected");
        QTest::newRow("wide: one row") << 1600 << 0;
        QTest::newRow("the help window") << 611 << 5;
        QTest::newRow("narrow") << 260 << 7;
        QTest::newRow("narrower than a tab") << 60 << 3;
    }

    void tabsWrapIntoRowsThatFit() {
        QFETCH(int, width);
        QFETCH(int, selected);
        TTabControl tabs;
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        tabs.setFont(font);
        for (const PageRow& row : kPageTable)
            tabs.AddTab(QString::fromUtf8(row.caption));
        QWidget page(&tabs);
        tabs.PlaceInDisplay(&page);
        tabs.resize(width, 500);
        tabs.SetTabIndex(selected);

        if (width >= tabs.sizeHint().width())
            QCOMPARE(tabs.RowCount(), 1);
        else
            QVERIFY(tabs.RowCount() > 1);

        int tabsBottom = 0;
        for (int i = 0; i < tabs.Count(); ++i) {
            const QRect rect = tabs.TabRect(i);
            QVERIFY(rect.isValid());
            QVERIFY2(rect.left() >= 0 && rect.right() < width, qPrintable(QString::number(i)));
            for (int j = 0; j < i; ++j)
                QVERIFY(!rect.intersects(tabs.TabRect(j)));
            tabsBottom = std::max(tabsBottom, rect.bottom());
            QCOMPARE(tabs.TabAt(rect.center()), i);
        }
        // The selected tab's row touches the display area, which lies under all rows and holds the page.
        QCOMPARE(tabs.TabRect(selected).bottom(), tabsBottom);
        QVERIFY(tabs.DisplayRect().top() > tabsBottom);
        QCOMPARE(page.geometry(), tabs.DisplayRect());
        QCOMPARE(tabs.TabAt(tabs.DisplayRect().center()), -1);

        // Rows in the order of the tabs: within a row left to right, a later row never starts
        // before an earlier tab of the same row.
        for (int i = 1; i < tabs.Count(); ++i) {
            const QRect a = tabs.TabRect(i - 1), b = tabs.TabRect(i);
            if (a.top() == b.top()) QCOMPARE(b.left(), a.right() + 1);
        }
    }

    void rowsFollowResizeAndFont() {
        TTabControl tabs;
        for (const PageRow& row : kPageTable)
            tabs.AddTab(QString::fromUtf8(row.caption));
        QWidget page(&tabs);
        tabs.PlaceInDisplay(&page);
        tabs.resize(tabs.sizeHint().width() + 10, 400);
        QCOMPARE(tabs.RowCount(), 1);
        const int oneRowTop = tabs.DisplayRect().top();
        tabs.resize(tabs.sizeHint().width() / 2, 400);
        QVERIFY(tabs.RowCount() > 1);
        QVERIFY(tabs.DisplayRect().top() > oneRowTop);
        QCOMPARE(page.geometry(), tabs.DisplayRect());
        const int rows = tabs.RowCount();
        QFont bigger = tabs.font();
        bigger.setPixelSize(30);
        tabs.setFont(bigger);
        QVERIFY(tabs.RowCount() > rows);
        QCOMPARE(page.geometry(), tabs.DisplayRect());
    }
};

QTEST_MAIN(TestHelpWindow)
#include "test_help_window.moc"
