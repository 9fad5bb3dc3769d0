// The main window as it starts: its controls, menus, status bar, start-up state and "Ende".
#include "shell/legend_picture.h"
#include "shell/prg_memo.h"
#include "shell/spin_edit.h"
#include "support/form_fixture.h"
#include "world/world_view.h"

#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

QLabel* LabelWithText(QWidget* parent, const QString& text) {
    for (QLabel* label : parent->findChildren<QLabel*>())
        if (label->text() == text) return label;
    return nullptr;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void windowIsFixedAndCaptioned() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Nibbo"));
        // The client area under the menu bar is 1008 x 635 and cannot be resized.
        QCOMPARE(form.width(), 1008);
        QCOMPARE(form.height() - form.menuBar()->sizeHint().height(), 635);
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form.centralWidget()->height() + form.statusBar()->height(), 635);
    }

    void controlsStandAtTheirPlaces() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        QCOMPARE(form.FeldEditorDrawGrid->geometry(), QRect(1, 1, 628, 524));
        QCOMPARE(form.PrgMemo->geometry(), QRect(640, 0, 361, 529));
        QCOMPARE(form.Panel1->geometry(), QRect(0, 527, 1008, 89));
        QCOMPARE(form.ItemsSpinEdit->geometry(), QRect(392, 24, 49, 22));
        // The slider's left end gives way to the text of its label only, up to a blank's width.
        const QRect slider = form.SpeedTrackBar->geometry();
        QCOMPARE(slider, QRect(slider.left(), 48, 630 - slider.left(), 33));
        QVERIFY(slider.left() >= 456 && slider.left() <= 456 + 8);
        QCOMPARE(form.InfoListBox->geometry(), QRect(640, 8, 361, 73));
        QCOMPARE(form.LegendStartImage->geometry(), QRect(8, 8, 25, 25));
        QCOMPARE(form.LegendWallImage->geometry(), QRect(8, 48, 25, 25));
        QCOMPARE(form.LegendPathImage->geometry(), QRect(192, 8, 25, 25));
        QCOMPARE(form.LegendFoodImage->geometry(), QRect(192, 48, 25, 25));

        const struct {
            QToolButton* button;
            int left;
            const char* hint;
        } buttons[] = {{form.RunSpeedButton, 472, "Run"},
                       {form.PauseSpeedButton, 504, "Pause / Weiter"},
                       {form.StopSpeedButton, 536, "Stopp"},
                       {form.StepSpeedButton, 568, "Einzelschritt"},
                       {form.SyntaxSpeedButton, 608, "Syntax-Überprüfung"}};
        for (const auto& b : buttons) {
            QCOMPARE(b.button->geometry(), QRect(b.left, 8, 23, 22));
            QCOMPARE(b.button->toolTip(), QString::fromUtf8(b.hint));
            QVERIFY(!b.button->icon().isNull());
            QVERIFY(b.button->isEnabled());
        }

        const struct {
            const char* text;
            QPoint place;
        } labels[] = {{"Startposition / Orientierung", {40, 8}},
                      {"Strg + linke Maustaste", {40, 24}},
                      {"Mauer", {40, 48}},
                      {"linke Maustaste", {40, 64}},
                      {"Weg", {232, 8}},
                      {"rechte Maustaste", {232, 24}},
                      {"Futter", {232, 44}},
                      {"Shift + linke/rechte Maustaste", {232, 60}},
                      {"Futter:", {392, 8}},
                      {"Verzögerung:", {392, 56}}};
        for (const auto& l : labels) {
            QLabel* label = LabelWithText(form.Panel1, QString::fromUtf8(l.text));
            QVERIFY2(label, l.text);
            QCOMPARE(label->pos(), l.place);
        }
    }

    void legendShowsThePictures() {
        FormFixture f;
        const QImage start = f.Form->LegendStartImage->grab().toImage();
        QCOMPARE(start.pixelColor(6, 12), QColor(255, 255, 0)); // figure over the path colour
        QCOMPARE(start.pixelColor(23, 12), QColor(0, 0, 102));  // its mouth opens to the east
        QCOMPARE(f.Form->LegendWallImage->grab().toImage().pixelColor(12, 12), QColor(0, 189, 255));
        QCOMPARE(f.Form->LegendPathImage->grab().toImage().pixelColor(12, 12), QColor(0, 0, 102));
        const QImage food = f.Form->LegendFoodImage->grab().toImage();
        QCOMPARE(food.pixelColor(12, 11), QColor(255, 255, 255)); // fifth square: middle row, middle
        QCOMPARE(food.pixelColor(19, 11), QColor(0, 0, 102));     // no sixth square
    }

    void delayLabelAndSliderLeaveEachOtherReadable() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        QLabel* label = LabelWithText(form.Panel1, QStringLiteral("Verzögerung:"));
        QVERIFY(label);
        // Each looks on the panel the same whether the other is there or not: nothing of one
        // covers or shows through the other, wherever the handle stands. (The slider's very first
        // rendering draws its ticks in other colours, so it is rendered once beforehand.)
        form.Panel1->grab();
        const auto untouchedBy = [&form](QWidget* control, QWidget* other) {
            const QImage with = form.Panel1->grab(control->geometry()).toImage();
            other->hide();
            const QImage without = form.Panel1->grab(control->geometry()).toImage();
            other->show();
            return with == without;
        };
        for (int position = form.SpeedTrackBar->minimum(); position <= form.SpeedTrackBar->maximum();
             ++position) {
            form.SpeedTrackBar->setValue(position);
            QVERIFY2(untouchedBy(label, form.SpeedTrackBar), qPrintable(QString::number(position)));
            QVERIFY2(untouchedBy(form.SpeedTrackBar, label), qPrintable(QString::number(position)));
        }
    }

    void stockFieldAndSlider() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        QCOMPARE(form.ItemsSpinEdit->minimum(), 0);
        QCOMPARE(form.ItemsSpinEdit->maximum(), 250);
        QCOMPARE(form.ItemsSpinEdit->ReadStock(), 0);
        QCOMPARE(form.SpeedTrackBar->minimum(), 0);
        QCOMPARE(form.SpeedTrackBar->maximum(), 10);
        QCOMPARE(form.SpeedTrackBar->value(), 5);
        QCOMPARE(form.SpeedTrackBar->pageStep(), 1);
    }

    void stockFieldReadsWholeNumbersAndHoldsItsRange() {
        FormFixture f;
        TSpinEdit& stock = *f.Form->ItemsSpinEdit;
        stock.WriteStock(300);
        QCOMPARE(stock.ReadStock(), 250);
        stock.WriteStock(-5);
        QCOMPARE(stock.ReadStock(), 0);
        stock.WriteStock(17);
        QCOMPARE(stock.text(), QStringLiteral("17"));
        // Typing accepts digits, signs and the decimal separator only.
        QString text = QStringLiteral("1x");
        int pos = 0;
        QCOMPARE(stock.validate(text, pos), QValidator::Invalid);
        text = QStringLiteral("-");
        QCOMPARE(stock.validate(text, pos), QValidator::Intermediate);
        text = QStringLiteral("400");
        QCOMPARE(stock.validate(text, pos), QValidator::Intermediate);
        // A number out of range is corrected to the nearer bound; no number becomes 0.
        text = QStringLiteral("400");
        stock.fixup(text);
        QCOMPARE(text, QStringLiteral("250"));
        text = QStringLiteral("-");
        stock.fixup(text);
        QCOMPARE(text, QStringLiteral("0"));
    }

    void menuBarHasEveryEntryInOrder() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        QStringList bar;
        for (QAction* action : form.menuBar()->actions())
            bar << action->text();
        QCOMPARE(bar, (QStringList{"Info", "Nibbos Welt", "Aufzeichnen", "Programm", "Hilfe", "Ende"}));

        const auto items = [](QMenu* menu) {
            QStringList result;
            for (QAction* action : menu->actions())
                result << action->text() +
                              (action->isEnabled() ? QStringLiteral(" +") : QStringLiteral(" -"));
            return result;
        };
        QCOMPARE(items(form.ArbeitsfeldMenuItem),
                 (QStringList{"Welt zurücksetzen +", "neue Welt +", "Welt laden +", "Welt speichern -",
                              "Welt speichern unter ... +"}));
        QCOMPARE(items(form.AufzeichnenMenuItem),
                 (QStringList{"Aufzeichnungsmodus an +", "Aufzeichnung starten -", "Aufzeichnung beenden -",
                              "Aufzeichnung abspielen -", "Aufzeichnung laden -", "Aufzeichnung speichern -",
                              "Aufz. speichern unter ... -"}));
        QCOMPARE(items(form.ProgrammMenuItem),
                 (QStringList{"neues Programm +", "Programm laden +", "Programm speichern -",
                              "Prg speichern unter ... +"}));
        QVERIFY(form.InfoMenuItem->isEnabled() && form.HilfeMenuItem->isEnabled() &&
                form.EndeMenuItem->isEnabled());
        QCOMPARE(form.AFresetMenuItem->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        for (QAction* action : form.findChildren<QAction*>())
            if (action != form.AFresetMenuItem)
                QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text()));
    }

    void statusBarHasThreePanels() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        QCOMPARE(form.statusBar()->height(), 19);
        QCOMPARE(form.StatusPanels[0]->width(), 162);
        QCOMPARE(form.StatusPanels[1]->width(), 400);
        QCOMPARE(form.StatusPanels[2]->width(), 400);
        QVERIFY(form.StatusPanels[0]->text().startsWith(QStringLiteral("Nibbo ")));
        QCOMPARE(form.StatusPanels[1]->text(), QStringLiteral("Welt: welt.wlt"));
        QCOMPARE(form.StatusPanels[2]->text(), QStringLiteral("Prg.: programm.pas"));
        QVERIFY(form.StatusPanels[1]->alignment() & Qt::AlignRight);
        QVERIFY(form.StatusPanels[2]->alignment() & Qt::AlignRight);
        QVERIFY(form.StatusPanels[0]->alignment() & Qt::AlignLeft);
    }

    void longFileNamesAreShortenedInTheMiddle() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        const QString folder =
            QStringLiteral("/home/schueler/") + QStringLiteral("unterordner/").repeated(40);
        const struct {
            std::function<void(const QString&)> show;
            QLabel* panel;
            const char* prefix;
        } rows[] = {
            {[&form](const QString& name) { form.Session().World.SetFileName(name.toStdString()); },
             form.StatusPanels[1], "Welt: "},
            {[&form](const QString& name) { form.Session().Programs.SetFileName(name.toStdString()); },
             form.StatusPanels[2], "Prg.: "},
            {[&form](const QString& name) {
                 RecordingOf(form).Mode = true;
                 form.Session().Recording.SetFileName(name.toStdString());
             },
             form.StatusPanels[2], "Aufz.: "}};
        for (const auto& row : rows) {
            const QString name = folder + QStringLiteral("garten.wlt");
            row.show(name);
            const QString text = row.panel->text();
            QVERIFY2(text.startsWith(QString::fromUtf8(row.prefix) + QStringLiteral("/home/")),
                     qPrintable(text));
            QVERIFY2(text.contains(QChar(0x2026)) && text.endsWith(QStringLiteral("/garten.wlt")),
                     qPrintable(text));
            QVERIFY2(row.panel->minimumSizeHint().width() <= row.panel->width(),
                     qPrintable(text)); // all of it shows
            QCOMPARE(row.panel->toolTip(), name);
            row.show(QStringLiteral("kurz.wlt")); // a name that fits stands whole
            QCOMPARE(row.panel->text(), QString::fromUtf8(row.prefix) + QStringLiteral("kurz.wlt"));
        }
    }

    void startUpState() {
        FormFixture f;
        TNibboForm& form = *f.Form;
        int walls = 0, free = 0;
        for (int c = 1; c <= kColumns; ++c)
            for (int r = 1; r <= kRows; ++r) {
                const int32_t code = CellAt(CurrentWorld(form), c, r);
                if (OnBorder(c, r) && code == kWall) ++walls;
                if (!OnBorder(c, r) && code == kFreePath) ++free;
            }
        QCOMPARE(walls, 84);
        QCOMPARE(free, 396);
        QVERIFY(!CurrentWorld(form).StartPlaced);
        QVERIFY(!CurrentWorld(form).WorldModified);
        QVERIFY(!ProgramsOf(form).Modified);
        QVERIFY(!RunOf(form).RunActive && !RunOf(form).StepMode);
        QVERIFY(!RecordingOf(form).Mode && !RecordingOf(form).Active && !RecordingOf(form).Unsaved);
        QCOMPARE(CurrentWorld(form).StartColumn, 0);
        QCOMPARE(CurrentWorld(form).StartRow, 0);
        QCOMPARE(CurrentWorld(form).Orientation, uint8_t(0));
        // The stored world is the same empty world with stock 0.
        QVERIFY(StoredWorld(form).Cells == CurrentWorld(form).Cells);
        QCOMPARE(StoredWorld(form).StartColumn, 0);
        QCOMPARE(StoredWorld(form).Stock, 0);
        QCOMPARE(StoredWorld(form).Reserved, (std::array<uint8_t, 3>{0, 0, 0}));
        QCOMPARE(QString::fromStdString(WorldOf(form).FileName), QStringLiteral("welt.wlt"));
        QCOMPARE(QString::fromStdString(ProgramsOf(form).FileName), QStringLiteral("programm.pas"));
        QVERIFY(f.Dialogs->Log.isEmpty());
    }

    void timersStartOff() {
        FormFixture f;
        QCOMPARE(f.Form->MoveTimer->interval(), 150);
        QCOMPARE(f.Form->StepTimer->interval(), 1000);
        QCOMPARE(f.Form->AufzTimer->interval(), 150);
        QVERIFY(!f.Form->MoveTimer->isActive() && !f.Form->StepTimer->isActive() &&
                !f.Form->AufzTimer->isActive());
    }

    void editorStartsWithAComment() {
        FormFixture f;
        const QStringList lines = f.Form->PrgMemo->Lines();
        QVERIFY(lines.size() >= 6);
        QCOMPARE(lines.first(), QStringLiteral("{"));
        QCOMPARE(lines.mid(lines.size() - 5), (QStringList{"}", "", "", "", ""}));
        for (const QString& line : lines.mid(1, lines.size() - 6)) {
            QVERIFY(!line.contains(QLatin1Char('}')));
            QVERIFY(!line.isEmpty());
        }
        QVERIFY(f.Form->PrgMemo->font().fixedPitch() || QFontInfo(f.Form->PrgMemo->font()).fixedPitch());
        QCOMPARE(f.Form->PrgMemo->lineWrapMode(), QPlainTextEdit::NoWrap);
    }

    void tabInsertsATabCharacterAtTwoCharacterStops() {
        FormFixture f;
        TPrgMemo& memo = *f.Form->PrgMemo;
        memo.clear();
        f.Form->show();
        QVERIFY(QTest::qWaitForWindowActive(f.Form.get()));
        memo.setFocus();
        QTest::keyClick(&memo, Qt::Key_Tab);
        QTest::keyClicks(&memo, "vor");
        QCOMPARE(memo.toPlainText(), QStringLiteral("\tvor"));
        QVERIFY(memo.hasFocus());
        QCOMPARE(memo.tabStopDistance(), QFontMetricsF(memo.font()).horizontalAdvance(QLatin1Char(' ')) * 2);
    }

    void ctrlZBelongsToTheWorldMenuAlsoInTheEditor() {
        FormFixture f;
        f.Form->show();
        QVERIFY(QTest::qWaitForWindowActive(f.Form.get()));
        QSignalSpy reset(f.Form->AFresetMenuItem, &QAction::triggered);
        QVERIFY(f.Form->FeldEditorDrawGrid->hasFocus()); // the world view has the focus at start
        QTest::keyClick(f.Form->FeldEditorDrawGrid, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(reset.count(), 1);
        f.Form->PrgMemo->setFocus();
        QTest::keyClicks(f.Form->PrgMemo, "x");
        QTest::keyClick(f.Form->PrgMemo, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(reset.count(), 2);
        QVERIFY(f.Form->PrgMemo->toPlainText().contains(QLatin1Char('x'))); // no undo in the editor
    }

    void ctrlZResetsTheWorldWhereverTheFocusIs() {
        FormFixture f;
        f.Form->show();
        QVERIFY(QTest::qWaitForWindowActive(f.Form.get()));
        QSignalSpy reset(f.Form->AFresetMenuItem, &QAction::triggered);
        int controls = 0;
        for (QWidget* control : f.Form->findChildren<QWidget*>()) {
            if (control->focusPolicy() == Qt::NoFocus || !control->isVisible()) continue;
            control->setFocus();
            if (!control->hasFocus()) continue; // it hands the focus to another control of the list
            ++controls;
            // Something to undo first, where the control takes typing.
            QTest::keyClicks(control, "7");
            QTest::keyClick(control, Qt::Key_Z, Qt::ControlModifier);
            QVERIFY2(reset.count() == controls, qPrintable(control->metaObject()->className()));
        }
        QVERIFY(controls >= 5); // world view, editor, stock field, slider, message list
    }

    void endeEndsAtOnceWhenTheWorldIsUnchanged() {
        FormFixture f;
        ProgramsOf(*f.Form).Modified = true; // an unsaved program is not asked about
        f.Form->Session().EndeMenuItemClick();
        QCOMPARE(f.EndRequests, 1);
        QVERIFY(f.Dialogs->Questions.isEmpty());
    }

    void endeAsksAboutAnEditedWorld_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("Ja") << true;
        QTest::newRow("Nein") << false;
    }

    void endeAsksAboutAnEditedWorld() {
        QFETCH(bool, answer);
        FormFixture f;
        CurrentWorld(*f.Form).WorldModified = true;
        f.Dialogs->AnswerNext(answer);
        f.Form->Session().EndeMenuItemClick();
        QCOMPARE(f.Dialogs->Questions,
                 QStringList{
                     QStringLiteral("Nibbos Welt ist noch nicht gespeichert!  Trotzdem Editor verlassen?")});
        QCOMPARE(f.EndRequests, answer ? 1 : 0);
        QVERIFY(CurrentWorld(*f.Form).WorldModified);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
