#include "windows/helpunit.h"

#include "windows/tab_control.h"

#include <QFile>
#include <QFontMetricsF>
#include <QTextEdit>

// The page texts are built into the library; a static library needs its resources registered by
// hand before the first use.
static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace nibbo {

namespace {

QTextEdit* MakePage(const HelpPage& info, QWidget* parent) {
    auto* page = new QTextEdit(parent);
    page->setObjectName(QLatin1String(info.ObjectName));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kHelpFontSize);
    page->setFont(font);
    page->setAcceptRichText(false);
    page->setLineWrapMode(QTextEdit::WidgetWidth);
    page->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    page->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The pages are written to fit; a scroll bar appears only if a larger font pushes text out of
    // sight, so that no line is ever out of reach.
    page->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    page->document()->setDocumentMargin(kHelpMargin);
    page->setTabStopDistance(QFontMetricsF(font).horizontalAdvance(QLatin1String(kHelpTabStopText)) +
                             kHelpTabStopGap);
    page->setTabChangesFocus(true);
    page->setPlainText(HelpPageText(int(&info - kHelpPages.data())));
    if (!info.Enabled) {
        // Shows its text in the normal colours, but can be neither selected nor changed.
        page->setReadOnly(true);
        page->setTextInteractionFlags(Qt::NoTextInteraction);
        page->setFocusPolicy(Qt::NoFocus);
        page->setContextMenuPolicy(Qt::NoContextMenu);
        page->setAcceptDrops(false);
        page->viewport()->setCursor(Qt::ArrowCursor);
    }
    return page;
}

} // namespace

QString HelpPageText(int tab) {
    static const bool registered = (InitHelpResources(), true);
    (void)registered;
    if (tab < 0 || tab >= kHelpPageCount) return {};
    QFile file(QStringLiteral(":/help/") + QLatin1String(kHelpPages[std::size_t(tab)].File));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(file.readAll());
    // The file's last line break ends the last line; it opens no empty line of its own.
    if (text.endsWith(u'\n')) text.chop(1);
    return text;
}

THelpForm::THelpForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QString::fromUtf8(kHelpCaption));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(kHelpClientWidth, kHelpClientHeight);
    move(kHelpDesignLeft, kHelpDesignTop);
    QFont windowFont(QStringLiteral("DejaVu Sans"));
    windowFont.setStyleHint(QFont::SansSerif);
    windowFont.setPixelSize(11);
    setFont(windowFont);

    RegelTabControl = new TTabControl(this);
    RegelTabControl->setObjectName(QStringLiteral("RegelTabControl"));
    RegelTabControl->setGeometry(0, 0, kHelpClientWidth, kHelpClientHeight);
    for (const HelpPage& info : kHelpPages)
        RegelTabControl->AddTab(QString::fromUtf8(info.Caption));
    RegelTabControl->SetTabIndex(0);

    for (int tab = 0; tab < kHelpPageCount; ++tab) {
        pages_[std::size_t(tab)] = MakePage(kHelpPages[std::size_t(tab)], RegelTabControl);
        RegelTabControl->PlaceInDisplay(pages_[std::size_t(tab)]);
    }
    UeberNibboEdit = pages_[0];
    WeltRichEdit = pages_[1];
    AufzeichnungRichEdit = pages_[2];
    SyntaxRichEdit = pages_[3];
    ProcedurenRichEdit = pages_[4];
    SensorenRichEdit = pages_[5];
    EntscheidungenRichEdit = pages_[6];
    SchleifenRichEdit = pages_[7];

    connect(RegelTabControl, &TTabControl::Change, this, &THelpForm::RegelTabControlChange);
    RegelTabControlChange();
}

QTextEdit* THelpForm::Page(int tab) const {
    return tab >= 0 && tab < kHelpPageCount ? pages_[std::size_t(tab)] : nullptr;
}

void THelpForm::RegelTabControlChange() {
    for (QTextEdit* page : pages_)
        page->hide();
    if (QTextEdit* page = Page(RegelTabControl->TabIndex())) page->show();
}

} // namespace nibbo
