#include "picture_maker.h"

namespace nibbo::batch {

namespace {

QtMessageHandler qtHandler = nullptr;

// Qt's notes about its set-up (such as a missing XDG_RUNTIME_DIR) are English and say nothing about
// the teacher's files; the tool's error output keeps to its own German messages and Qt's errors.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && qtHandler) qtHandler(type, context, message);
}

} // namespace

PictureMaker::PictureMaker() {
    qtHandler = qInstallMessageHandler(QuietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    pictures_ = std::make_unique<TWorldPictures>();
}

} // namespace nibbo::batch
