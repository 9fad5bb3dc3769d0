// Helpers for the tests of the menu "Aufzeichnen" through the real window.
#pragma once

#include "shell/prg_memo.h"
#include "shell/spin_edit.h"
#include "support/form_fixture.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTest>

namespace nibbo::testing {

// The six items below the mode item, in menu order, as a string of '1' (enabled) and '0'.
inline QString RecordingItems(const TNibboForm& form) {
    QString states;
    for (const QAction* item :
         {form.AufzstartenMenuItem, form.AufzbeendenMenuItem, form.AufzwiederholenMenuItem,
          form.AufzladenMenuItem, form.AufzspeichernMenuItem, form.AufzspeichernunterMenuItem})
        states += item->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}

// A key press as the keyboard sends it: to the widget with the focus, or to the window when none
// has it (a window that was never shown).
inline void PressKey(TNibboForm& form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = {}) {
    QWidget* target = QApplication::focusWidget();
    if (!target) target = &form;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

// The letter keys as typed, small letters.
inline void Type(TNibboForm& form, const char* letters) {
    for (const char* at = letters; *at; ++at) {
        const char capital = char(*at >= 'a' && *at <= 'z' ? *at - 'a' + 'A' : *at);
        PressKey(form, Qt::Key(capital), Qt::NoModifier, QString(QLatin1Char(*at)));
    }
}

// Recording mode on with a figure placed at (column, row), facing the given way, stored as the
// start of the stored world too.
inline void ModeOnWithFigure(TNibboForm& form, int column = 5, int row = 5, int orientation = East) {
    PlaceFigure(form, column, row, orientation);
    StoreWorld(CurrentWorld(form), *form.ItemsSpinEdit, StoredWorld(form));
    ProgramsOf(form).Modified = false;
    form.Session().Recording.AufzmodusanMenuItemClick();
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace nibbo::testing
