// nibbo-batch's pictures, run as a process: render draws exactly what the window's world view shows,
// a report is one page that holds everything it shows, with a section per program, its outcome and
// the differing cells marked, and a task booklet draws each task's pictures from its worlds; bad
// input is refused with a German message and its exit code.
#include "support/batch_process.h"
#include "support/form_fixture.h"
#include "world/png_file.h"
#include "world/recording_canvas.h"
#include "world/world_file.h"
#include "world/world_picture.h"
#include "world/world_view.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace nibbo;
using namespace nibbo::testing;

namespace {

// Every picture the view has: walls, food of every count, the figure on food facing its way.
World Gallery(int orientation) {
    World world = Task();
    for (int portions = 1; portions <= kMaxFood; ++portions)
        SetCell(world, 2 + 2 * portions, 6, portions);
    SetCell(world, 7, 9, 4);
    world.StartColumn = 7;
    world.StartRow = 9;
    world.Orientation = uint8_t(orientation);
    return world;
}

// The elements below a node with the given tag and, if given, class.
QList<QDomElement> All(const QDomNode& under, const QString& tag, const QString& cssClass = {}) {
    QList<QDomElement> found;
    const QDomNodeList nodes = under.toElement().elementsByTagName(tag);
    for (int i = 0; i < nodes.size(); ++i) {
        const QDomElement element = nodes.at(i).toElement();
        if (cssClass.isEmpty() || element.attribute("class").split(' ').contains(cssClass)) found << element;
    }
    return found;
}

QString TextOf(const QDomNode& under, const QString& tag, const QString& cssClass = {}) {
    const QList<QDomElement> found = All(under, tag, cssClass);
    return found.isEmpty() ? QString() : found.first().text();
}

// The cells a picture marks, "c r" each, found by the middle of each mark.
QStringList MarkedCells(const QDomElement& picture) {
    QStringList cells;
    for (const QDomElement& mark : All(picture, "rect", "unterschied")) {
        const QRectF rect(mark.attribute("x").toDouble(), mark.attribute("y").toDouble(),
                          mark.attribute("width").toDouble(), mark.attribute("height").toDouble());
        const QPoint cell = TWorldGrid::CellAt(rect.center().toPoint());
        cells << QStringLiteral("%1 %2").arg(cell.x()).arg(cell.y());
    }
    return cells;
}

// Every place the page points to: within the page or inside it, never to another file.
void CheckSelfContained(const QDomElement& element, const QStringList& ids) {
    QVERIFY2(
        !QStringList({"script", "link", "iframe", "object", "embed", "base"}).contains(element.tagName()),
        qPrintable(element.tagName()));
    const QDomNamedNodeMap attributes = element.attributes();
    for (int i = 0; i < attributes.size(); ++i) {
        const QDomAttr attribute = attributes.item(i).toAttr();
        if (!attribute.name().endsWith("href") && attribute.name() != "src") continue;
        const QString target = attribute.value();
        QVERIFY2(target.startsWith("data:") || ids.contains(target.mid(1)), qPrintable(target.left(40)));
    }
    if (element.tagName() == "style")
        QVERIFY(!element.text().contains("url(") && !element.text().contains("@import"));
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        CheckSelfContained(child, ids);
}

// What a world picture draws where: each placed picture's place and shapes, whatever its id, found
// only among the picture's own definitions.
QStringList Drawn(const QDomElement& svg) {
    QMap<QString, QString> shapes;
    for (const QDomElement& group : All(svg, "g")) {
        QString text;
        QTextStream stream(&text);
        for (QDomNode shape = group.firstChild(); !shape.isNull(); shape = shape.nextSibling())
            shape.save(stream, 0);
        shapes[group.attribute("id")] = text;
    }
    QStringList drawn;
    for (const QDomElement& use : All(svg, "use"))
        drawn << use.attribute("x") + ' ' + use.attribute("y") + ' ' +
                     shapes.value(use.attribute("xlink:href").mid(1), "?");
    return drawn;
}

// Every id in a page, in order.
QStringList Ids(const QDomElement& element) {
    QStringList ids;
    if (element.hasAttribute("id")) ids << element.attribute("id");
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        ids << Ids(child);
    return ids;
}

QImage DataImage(const QDomElement& picture) {
    const QString uri = All(picture, "image").value(0).attribute("href");
    return QImage::fromData(QByteArray::fromBase64(uri.section(',', 1).toLatin1()), "PNG")
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestBatchPictures : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString Path(const QString& name) const { return dir_.filePath(name); }

    void Write(const QString& name, const QByteArray& bytes) { WriteTestFile(Path(name), bytes); }

    BatchResult Run(const QStringList& arguments) { return RunBatch(arguments, dir_.path()); }

    QImage Rendered(const QString& world, int scale) {
        const QString picture = world + ".png";
        const BatchResult result = Run({"render", "--scale", QString::number(scale), world, picture});
        if (result.ExitCode != 0) qFatal("render: %s", result.Err.constData());
        return QImage(Path(picture)).convertToFormat(QImage::Format_RGB32);
    }

    QDomDocument Parsed(const QString& name) {
        QFile file(Path(name));
        QDomDocument page;
        if (!file.open(QIODevice::ReadOnly) || !page.setContent(&file))
            qFatal("%s is no well-formed page", qPrintable(name));
        return page;
    }

    QDomDocument Report(const QStringList& arguments) {
        QFile::remove(Path("bericht.html"));
        Run(arguments + QStringList{"--report", "bericht.html"});
        return Parsed("bericht.html");
    }

    QDomDocument Booklet(const QStringList& arguments) {
        QFile::remove(Path("heft.html"));
        const BatchResult result = Run(QStringList{"aufgaben"} + arguments + QStringList{"heft.html"});
        if (result.ExitCode != 0) qFatal("aufgaben: %s", result.Err.constData());
        return Parsed("heft.html");
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        Write("task.wlt", Bytes(Task()));
        Write("goal.wlt", Bytes(Solved(), 1));
        Write("short.wlt", "kurz");
        Write("solves.pas", Program("  vor;\r\n  nimm_auf;"));
        Write("only_walks.pas", Program("  vor;"));
        Write("runs_into_wall.pas", Program("  vor;\r\n  nimm_auf;\r\n  vor;\r\n  vor;"));
        Write("faulty.pas", "program aufgabe;\r\nbegin\r\n  vor\r\n  vor;\r\nend.\r\n");
        Write("<b>&\"x\".pas", Program("  vor;\r\n  nimm_auf;"));
        Write("weg.afz", "procedure weg;\r\nbegin\r\n  vor;\r\n  nimm_auf;\r\nend;\r\n");
        QVERIFY(QDir(dir_.path()).mkdir("aufgabe"));
        Write("aufgabe/aufgabe.md", "# Futter <holen>\n\nNibbo holt das Futter.\n");
        for (const char* number : {"1", "2"}) {
            Write(QStringLiteral("aufgabe/welt-%1.wlt").arg(number), Bytes(Task()));
            Write(QStringLiteral("aufgabe/ziel-%1.wlt").arg(number), Bytes(Solved(), 1));
        }

        // A collection of two tasks, in natural order, beside a folder that holds none; and two
        // tasks that must not print.
        for (const char* folder :
             {"heft/2-erste", "heft/10-zweite", "heft/notizen", "fehler/kaputt", "fehler/abgelehnt", "leer"})
            QVERIFY(QDir(dir_.path()).mkpath(folder));
        Write("heft/2-erste/aufgabe.md",
              "# Erste Aufgabe\n\n*Thema: Anfang*\n\nNicht <script>alert(1)</script>!\n\n"
              "![Start](welt.svg) ![Ziel](ziel.svg)\n");
        Write("heft/2-erste/welt.wlt", Bytes(Task()));
        Write("heft/2-erste/ziel.wlt", Bytes(Solved(), 1));
        Write("heft/2-erste/loesung.pas",
              "program erste;\r\n{ Nibbo l\xE4uft }\r\nbegin\r\n  vor;\r\nend.\r\n");
        Write("heft/10-zweite/aufgabe.md", "# Zweite Aufgabe\n\n![Welt 2](welt-2.svg)\n");
        for (const char* world : {"welt-1.wlt", "welt-2.wlt", "ziel-1.wlt", "ziel-2.wlt"})
            Write(QStringLiteral("heft/10-zweite/") + world, Bytes(Gallery(West)));
        Write("heft/10-zweite/loesung.afz", "procedure zweite;\r\nbegin\r\nend;\r\n");
        Write("heft/notizen/welt.wlt", Bytes(Task()));
        Write("fehler/kaputt/aufgabe.md", "# Kaputt\n\n![Foto](foto.svg)\n");
        Write("fehler/kaputt/welt.wlt", Bytes(Task()));
        Write("fehler/abgelehnt/aufgabe.md", "# Abgelehnt\n\n![Welt](welt.svg)\n");
        Write("fehler/abgelehnt/welt.wlt", "kurz");
    }

    // --- render ---

    void renderGivesTheWorldViewsPixels_data() {
        QTest::addColumn<int>("orientation");
        for (int orientation = East; orientation <= South; ++orientation)
            QTest::addRow("facing %d", orientation) << orientation;
    }

    void renderGivesTheWorldViewsPixels() {
        QFETCH(int, orientation);
        Write("gallery.wlt", Bytes(Gallery(orientation)));
        FormFixture f;
        f.Dialogs->ChooseNext(Path("gallery.wlt"));
        f.Form->Session().World.AFladenMenuItemClick();
        TWorldGrid& view = *f.Form->FeldEditorDrawGrid;
        const QImage shown =
            view.grab().toImage().copy(view.contentsRect()).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(Rendered("gallery.wlt", 1), shown);
    }

    // A thumbnail is the rendered world fitted into the asked square, its longer side filling it.
    void aThumbnailFitsTheAskedSquare_data() {
        QTest::addColumn<int>("size");
        for (const int size : {16, 128, 1024})
            QTest::addRow("%d", size) << size;
    }

    void aThumbnailFitsTheAskedSquare() {
        QFETCH(int, size);
        const QImage world = Rendered("task.wlt", 1);
        QCOMPARE(Run({"thumbnail", "--size", QString::number(size), "task.wlt", "klein.png"}).ExitCode, 0);
        const QImage thumbnail(Path("klein.png"));
        QCOMPARE(thumbnail.size(), world.size().scaled(size, size, Qt::KeepAspectRatio));
    }

    // The SVG places a picture wherever the view draws one, each defined in the document.
    void anSvgPlacesEveryPictureTheViewDraws() {
        Write("gallery.wlt", Bytes(Gallery(South)));
        QCOMPARE(Run({"render", "gallery.wlt", "gallery.svg"}).ExitCode, 0);
        QFile file(Path("gallery.svg"));
        QDomDocument svg;
        QVERIFY(file.open(QIODevice::ReadOnly) && svg.setContent(&file, true));
        QStringList defined, placed;
        for (const QDomElement& group : All(svg.documentElement(), "g"))
            defined << group.attribute("id");
        for (const QDomElement& use : All(svg.documentElement(), "use")) {
            QVERIFY(defined.contains(use.attributeNS("http://www.w3.org/1999/xlink", "href").mid(1)));
            const QPoint cell =
                TWorldGrid::CellAt(QPoint(use.attribute("x").toInt(), use.attribute("y").toInt()));
            placed << QStringLiteral("%1 %2").arg(cell.x()).arg(cell.y());
        }
        RecordingCanvas canvas;
        PaintWorld(Gallery(South), canvas);
        QStringList drawn;
        for (const QString& call : canvas.Take())
            if (!call.startsWith("fill")) drawn << call.section(' ', 1, 2);
        placed.sort();
        drawn.sort();
        QCOMPARE(placed, drawn);
    }

    // PNG files of our own writing keep every pixel: with a palette, and in full colour where a
    // picture has more colours than a palette holds.
    void pngFilesKeepEveryPixel() {
        QImage manyColours(300, 3, QImage::Format_RGB32);
        for (int x = 0; x < manyColours.width(); ++x)
            for (int y = 0; y < manyColours.height(); ++y)
                manyColours.setPixel(x, y, qRgb(x % 256, x / 256 * 100 + y, 7));
        TWorldPictures pictures;
        for (QImage picture : {pictures.Raster(Gallery(West), 3), manyColours}) {
            picture.setDevicePixelRatio(1); // a file knows no pixel ratio
            TPngEncoder png;
            QCOMPARE(QImage::fromData(png.Encode(picture, 3780), "PNG").convertToFormat(QImage::Format_RGB32),
                     picture);
        }
    }

    // --- The report ---

    void aClassReport() {
        const QStringList programs = {"solves.pas", "only_walks.pas", "runs_into_wall.pas",
                                      "faulty.pas", "missing.pas",    "<b>&\"x\".pas"};
        const QDomDocument page =
            Report(QStringList{"run", "--world", "task.wlt", "--goal", "goal.wlt"} + programs);
        const QDomElement html = page.documentElement();
        QCOMPARE(TextOf(html, "p", "zaehlung"), QStringLiteral("Gelöst: 2 von 6 Programmen."));
        QCOMPARE(All(All(html, "header").value(0), "figure").size(), 2); // the task and the goal

        struct Expected {
            QString Outcome;
            int ExitCode;
            QStringList Marked; // on the world after the run and on the goal
        };
        const Expected expected[] = {
            {"Programm beendet!", 0, {}},
            {"Programm beendet!", 4, {"3 2"}},
            {"Nibbo ist gegen eine Mauer gelaufen!", 2, {"3 2", "4 2"}},
            {"Nicht gelaufen: Meldungen der Syntax-Überprüfung.", 1, {}},
            {"Die Datei kann nicht geöffnet werden. Sie existiert nicht.", 66, {}},
            {"Programm beendet!", 0, {}},
        };
        const QList<QDomElement> sections = All(html, "section");
        QCOMPARE(sections.size(), programs.size());
        for (int i = 0; i < sections.size(); ++i) {
            const QDomElement& section = sections[i];
            QCOMPARE(TextOf(section, "h2"), QStringLiteral("%1. %2").arg(i + 1).arg(programs[i]));
            QCOMPARE(TextOf(section, "p", "ergebnis"), expected[i].Outcome);
            QVERIFY(TextOf(section, "p", "zahlen")
                        .startsWith(QStringLiteral("Rückgabewert: %1 ").arg(expected[i].ExitCode)));
            const QList<QDomElement> pictures = All(section, "figure");
            // Only a program that ran has a world to show.
            QCOMPARE(pictures.size(), expected[i].ExitCode == 1 || expected[i].ExitCode == 66 ? 0 : 2);
            for (const QDomElement& picture : pictures)
                QCOMPARE(MarkedCells(picture), expected[i].Marked);
        }
        QCOMPARE(TextOf(sections[3], "pre", "meldungen"), QStringLiteral("3: \";\" erwartet!\n"));
        QVERIFY(TextOf(sections[2], "title").contains("Nibbo steht auf Feld (4, 2) statt auf Feld (3, 2)."));

        // The picture after the run is the world the run left, as render draws it.
        QCOMPARE(Run({"run", "--world", "task.wlt", "--save", "after.wlt", "only_walks.pas"}).ExitCode, 0);
        const QImage shown = DataImage(All(sections[1], "figure").value(0));
        QCOMPARE(shown, Rendered("after.wlt", shown.width() / Rendered("after.wlt", 1).width()));

        QStringList ids;
        for (const QDomElement& section : sections)
            ids << section.attribute("id");
        CheckSelfContained(html, ids);
    }

    void aReplayReport() {
        const QDomElement html = Report({"replay", "--world", "task.wlt", "weg.afz"}).documentElement();
        QVERIFY(All(html, "p", "zaehlung").isEmpty()); // no goal, nothing solved
        const QList<QDomElement> sections = All(html, "section");
        QCOMPARE(sections.size(), 1);
        QCOMPARE(TextOf(sections[0], "p", "ergebnis"),
                 QStringLiteral("Aufzeichnung bis zum \"end;\" abgespielt."));
        QCOMPARE(TextOf(sections[0], "p", "zahlen"), QStringLiteral("Rückgabewert: 0 · Anweisungen: 2"));
        QCOMPARE(All(sections[0], "figure").size(), 1);
    }

    // A task's report shows every world beside its goal in the head, and each program's run on
    // every world under the world's name.
    void aTaskReport() {
        const QStringList programs = {"solves.pas", "only_walks.pas", "faulty.pas"};
        const QDomElement html =
            Report(QStringList{"run", "--aufgabe", "aufgabe"} + programs).documentElement();
        QCOMPARE(TextOf(html, "h1"), QStringLiteral("Nibbo-Bericht: Futter <holen>"));
        QVERIFY(TextOf(html, "p", "angaben").startsWith("Aufgabe: aufgabe · "));
        QCOMPARE(TextOf(html, "p", "zaehlung"), QStringLiteral("Gelöst: 1 von 3 Programmen."));
        const QDomElement head = All(html, "header").value(0);
        QStringList captions;
        for (const QDomElement& caption : All(head, "figcaption"))
            captions << caption.text();
        QCOMPARE(captions, QStringList({"welt-1.wlt (Vorrat: 0)", "ziel-1.wlt (Vorrat: 1)",
                                        "welt-2.wlt (Vorrat: 0)", "ziel-2.wlt (Vorrat: 1)"}));
        QStringList results;
        for (const QDomElement& row : All(All(head, "tbody").value(0), "tr"))
            results << All(row, "td").value(2).text();
        QCOMPARE(results, QStringList({"Aufgabe gelöst!", "Gelöst in 0 von 2 Welten.",
                                       "Nicht gelaufen: Meldungen der Syntax-Überprüfung."}));

        const QList<QDomElement> sections = All(html, "section");
        QCOMPARE(sections.size(), programs.size());
        QCOMPARE(TextOf(sections[1], "p", "welten"), QStringLiteral("Gelöst in 0 von 2 Welten."));
        const QList<QDomElement> runs = All(sections[1], "div", "lauf");
        QCOMPARE(runs.size(), 2);
        for (int i = 0; i < runs.size(); ++i) {
            QCOMPARE(TextOf(runs[i], "h3"), QStringLiteral("welt-%1.wlt").arg(i + 1));
            QCOMPARE(TextOf(runs[i], "p", "urteil"), QStringLiteral("Aufgabe nicht gelöst!"));
            for (const QDomElement& picture : All(runs[i], "figure"))
                QCOMPARE(MarkedCells(picture), QStringList{"3 2"});
        }
        QVERIFY(All(sections[2], "div", "lauf").isEmpty());
        QCOMPARE(TextOf(sections[2], "pre", "meldungen"), QStringLiteral("3: \";\" erwartet!\n"));
    }

    // --- The booklet ---

    void aBookletForPupils() {
        const QDomDocument page = Booklet({"heft"});
        const QDomElement html = page.documentElement();
        QStringList contents;
        for (const QDomElement& row : All(html, "tr"))
            contents << row.text();
        QCOMPARE(contents, QStringList({"2Erste AufgabeAnfang", "10Zweite Aufgabe"}));

        const QList<QDomElement> sections = All(html, "section");
        QCOMPARE(sections.size(), 2);
        QCOMPARE(TextOf(sections[0], "h1"), QStringLiteral("Aufgabe 2: Erste Aufgabe"));
        QCOMPARE(TextOf(sections[1], "h1"), QStringLiteral("Aufgabe 10: Zweite Aufgabe"));
        QCOMPARE(TextOf(sections[0], "p", "welten"), QStringLiteral("Welt: welt.wlt"));
        QCOMPARE(TextOf(sections[1], "p", "welten"), QStringLiteral("Welten: welt-1.wlt, welt-2.wlt"));
        QVERIFY(html.text().contains("Nicht <script>alert(1)</script>!"));
        QVERIFY(!html.text().contains("Lösung"));

        // Each picture is its world as render draws it, its text below it.
        const struct {
            QString World, Caption;
        } pictures[] = {{"2-erste/welt", "Start"}, {"2-erste/ziel", "Ziel"}, {"10-zweite/welt-2", "Welt 2"}};
        QCOMPARE(All(sections[0], "span", "bild").size(), 2);
        const QList<QDomElement> shown = All(html, "span", "bild");
        QCOMPARE(shown.size(), qsizetype(std::size(pictures)));
        for (size_t i = 0; i < std::size(pictures); ++i) {
            QCOMPARE(TextOf(shown[i], "span", "bildtext"), pictures[i].Caption);
            const QString svg = "heft/" + pictures[i].World + ".svg";
            QCOMPARE(Run({"render", "heft/" + pictures[i].World + ".wlt", svg}).ExitCode, 0);
            QCOMPARE(Drawn(All(shown[i], "svg").value(0)), Drawn(Parsed(svg).documentElement()));
        }
        // Each picture refers only to itself: every id stands once in the page.
        const QStringList ids = Ids(html);
        QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), ids.size());
        CheckSelfContained(html, ids);

        // One task's folder makes a booklet of that task alone.
        const QList<QDomElement> alone = All(Booklet({"heft/10-zweite/"}).documentElement(), "section");
        QCOMPARE(alone.size(), 1);
        QCOMPARE(TextOf(alone[0], "h1"), QStringLiteral("Aufgabe 10: Zweite Aufgabe"));
    }

    void aBookletForTheTeacher() {
        const QList<QDomElement> sections =
            All(Booklet({"--loesungen", "heft"}).documentElement(), "section");
        QCOMPARE(sections.size(), 2);
        QCOMPARE(TextOf(sections[0], "pre"),
                 QStringLiteral("program erste;\n{ Nibbo läuft }\nbegin\n  vor;\nend."));
        QCOMPARE(TextOf(sections[0], "p", "ziele"), QStringLiteral("Zielwelt: ziel.wlt"));
        QCOMPARE(TextOf(sections[1], "p", "datei"), QStringLiteral("Aufzeichnung: loesung.afz"));
        QCOMPARE(TextOf(sections[1], "p", "ziele"), QStringLiteral("Zielwelten: ziel-1.wlt, ziel-2.wlt"));
    }

    // Every picture of the collection's tasks is a world of its task.
    void theCollectionPrints() {
        const QDir collection(QStringLiteral(NIBBO_TEST_DATA "/../../aufgaben"));
        qsizetype pictures = 0;
        for (const QString& task : collection.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile text(collection.filePath(task + "/aufgabe.md"));
            if (text.open(QIODevice::ReadOnly)) pictures += text.readAll().count("![");
        }
        const BatchResult result =
            Run({"aufgaben", "--loesungen", collection.absolutePath(), "sammlung.html"});
        QVERIFY2(result.ExitCode == 0, result.Err.constData());
        QCOMPARE(All(Parsed("sammlung.html").documentElement(), "span", "bild").size(), pictures);
    }

    // --- Bad input ---

    void badInputIsRefused_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("message"); // how the error output begins
        QTest::addColumn<QString>("output");     // the file that must not have been written
        const QByteArray missing = "nibbo-batch: missing.wlt: Die Datei kann nicht geöffnet werden.";
        const QByteArray refused = "nibbo-batch: short.wlt: Die Datei ist keine Nibbo-Welt";
        const QByteArray noFolder = ": Die Datei kann nicht angelegt werden.";
        QTest::newRow("render: missing world")
            << QStringList{"render", "missing.wlt", "bild.png"} << 66 << missing << "bild.png";
        QTest::newRow("render: refused world")
            << QStringList{"render", "short.wlt", "bild.svg"} << 65 << refused << "bild.svg";
        QTest::newRow("render: unknown kind") << QStringList{"render", "task.wlt", "bild.gif"} << 64
                                              << QByteArray("nibbo-batch: bild.gif: ") << "bild.gif";
        QTest::newRow("render: scale too large")
            << QStringList{"render", "--scale", "9", "task.wlt", "bild.png"} << 64
            << QByteArray("nibbo-batch: --scale ") << "bild.png";
        QTest::newRow("render: no such folder")
            << QStringList{"render", "task.wlt", "fehlt/bild.png"} << 73
            << "nibbo-batch: fehlt/bild.png" + noFolder << "fehlt/bild.png";
        QTest::newRow("thumbnail: refused world")
            << QStringList{"thumbnail", "--size", "128", "short.wlt", "bild.png"} << 65 << refused
            << "bild.png";
        QTest::newRow("thumbnail: size too large")
            << QStringList{"thumbnail", "--size", "1025", "task.wlt", "bild.png"} << 64
            << QByteArray("nibbo-batch: --size ") << "bild.png";
        QTest::newRow("run: refused world")
            << QStringList{"run", "--world", "short.wlt", "--report", "bericht.html", "solves.pas"} << 65
            << refused << "bericht.html";
        QTest::newRow("run: report into no folder")
            << QStringList{"run", "--world", "task.wlt", "--report", "fehlt/bericht.html", "solves.pas"} << 73
            << "nibbo-batch: fehlt/bericht.html" + noFolder << "fehlt/bericht.html";
        QTest::newRow("replay: report into no folder")
            << QStringList{"replay", "--world", "task.wlt", "--report", "fehlt/bericht.html", "weg.afz"} << 73
            << "nibbo-batch: fehlt/bericht.html" + noFolder << "fehlt/bericht.html";
        QTest::newRow("aufgaben: a refused world")
            << QStringList{"aufgaben", "fehler", "heft.html"} << 65
            << QByteArray("nibbo-batch: fehler/abgelehnt/welt.wlt: Die Datei ist keine Nibbo-Welt")
            << "heft.html";
        QTest::newRow("aufgaben: a picture of no world")
            << QStringList{"aufgaben", "fehler/kaputt", "heft.html"} << 65
            << QByteArray("nibbo-batch: fehler/kaputt/aufgabe.md: Das Bild \"foto.svg\" zeigt keine Welt der "
                          "Aufgabe.")
            << "heft.html";
        QTest::newRow("aufgaben: no task")
            << QStringList{"aufgaben", "leer", "heft.html"} << 66
            << QByteArray("nibbo-batch: leer: Hier ist keine Aufgabe") << "heft.html";
        QTest::newRow("aufgaben: no folder")
            << QStringList{"aufgaben", "fehlt", "heft.html"} << 66
            << QByteArray("nibbo-batch: fehlt: Den Ordner gibt es nicht.\n") << "heft.html";
        QTest::newRow("aufgaben: into no folder")
            << QStringList{"aufgaben", "heft", "fehlt/heft.html"} << 73
            << "nibbo-batch: fehlt/heft.html" + noFolder << "fehlt/heft.html";
        QTest::newRow("aufgaben: two folders") << QStringList{"aufgaben", "heft", "leer", "heft.html"} << 64
                                               << QByteArray("Aufruf: nibbo-batch aufgaben ") << "heft.html";
    }

    void badInputIsRefused() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, message);
        QFETCH(QString, output);
        QFile::remove(Path(output));
        const BatchResult result = Run(arguments);
        QCOMPARE(result.ExitCode, exitCode);
        QVERIFY2(result.Err.startsWith(message), result.Err.constData());
        QVERIFY(!QFile::exists(Path(output)));
    }

    // A report that cannot replace the file there leaves the old one whole.
    void aReadOnlyReportStaysAsItWas() {
        Write("alt.html", "alt");
        QVERIFY(QFile::setPermissions(Path("alt.html"), QFile::ReadOwner));
        const BatchResult result = Run({"run", "--world", "task.wlt", "--report", "alt.html", "solves.pas"});
        QCOMPARE(result.ExitCode, 73);
        QCOMPARE(result.Err,
                 QByteArray("nibbo-batch: alt.html: Die Datei kann nicht angelegt werden. Sie ist "
                            "schreibgeschützt.\n"));
        QFile file(Path("alt.html"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("alt"));
    }
};

QTEST_MAIN(TestBatchPictures)
#include "test_batch_pictures.moc"
