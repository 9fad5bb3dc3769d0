// The task text as HTML: a golden text with every kind of block and mark beside its expected HTML,
// and the texts a pupil's page must never take as markup.
#include "resources/task_text.h"

#include <QFile>
#include <QTest>

using namespace nibbo;

namespace {

std::string Picture(const TaskPicture& picture) {
    return "[" + picture.Alt + "|" + picture.Target + "]";
}

QByteArray Read(const char* name) {
    QFile file(QStringLiteral(NIBBO_TEST_DATA "/task_text/") + name);
    if (!file.open(QIODevice::ReadOnly)) qFatal("%s cannot be read", name);
    return file.readAll();
}

} // namespace

class TestTaskText : public QObject {
    Q_OBJECT

private slots:
    void goldenText() {
        const QByteArray markdown = Read("aufgabe.md");
        const std::string html = TaskTextHtml(markdown.toStdString(), Picture);
        QCOMPARE(QByteArray::fromStdString(html), Read("aufgabe.html"));
        QCOMPARE(TaskTitle(markdown.toStdString()), std::string("Bis zur Mauer"));
        QCOMPARE(TaskTitle("\xEF\xBB\xBF" + markdown.toStdString()), std::string("Bis zur Mauer"));
        QVERIFY(WithoutTitle(markdown.toStdString()).starts_with("\n*Thema"));
        QCOMPARE(TaskTopic(markdown.toStdString()), std::string("Schleifen · Hilfeseite „Schleifen“"));
        QCOMPARE(TaskTopic("# Titel\n\nText\n\n*Thema: später*"), std::string());
    }

    void markupInATextStaysText_data() {
        QTest::addColumn<QString>("markdown");
        QTest::addColumn<QString>("html");
        QTest::newRow("tag") << "<script>x</script>"
                             << "<p>&lt;script&gt;x&lt;/script&gt;</p>\n";
        QTest::newRow("script link") << "[klick](javascript:alert&#40;1&#41;)"
                                     << "<p>klick</p>\n";
        QTest::newRow("quote in link") << "[a](b\"onclick=\"x)"
                                       << "<p><a href=\"b&quot;onclick=&quot;x\">a</a></p>\n";
        QTest::newRow("code block") << "```\n<i>\n"
                                    << "<pre><code>&lt;i&gt;\n</code></pre>\n";
        QTest::newRow("no title") << "Text"
                                  << "<p>Text</p>\n";
    }
    void markupInATextStaysText() {
        QFETCH(QString, markdown);
        QFETCH(QString, html);
        QCOMPARE(QString::fromStdString(TaskTextHtml(markdown.toStdString(), Picture)), html);
    }
};

QTEST_GUILESS_MAIN(TestTaskText)
#include "test_task_text.moc"
