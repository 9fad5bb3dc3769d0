#include "shell/spin_edit.h"

#include <QLineEdit>
#include <QLocale>
#include <algorithm>

namespace nibbo {

TSpinEdit::TSpinEdit(QWidget* parent) : QSpinBox(parent) {
    setRange(kMinStock, kMaxStock);
    setSingleStep(1);
    setValue(0);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(false);
}

int TSpinEdit::WholeNumberOrZero(const QString& text) {
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok);
    if (!ok) return 0;
    return int(std::clamp<qlonglong>(number, kMinStock, kMaxStock));
}

int TSpinEdit::ReadStock() const {
    return WholeNumberOrZero(lineEdit()->text());
}

void TSpinEdit::WriteStock(int value) {
    const int clamped = PlainStockField::ClampStock(value);
    setValue(clamped);
    // The field may still show typed text that was no number while its value did not change.
    if (lineEdit()->text() != QString::number(clamped)) lineEdit()->setText(QString::number(clamped));
}

QValidator::State TSpinEdit::validate(QString& input, int&) const {
    // Typing accepts digits, the signs and the decimal separator; anything else is refused.
    const QString separator = locale().decimalPoint();
    for (QChar ch : input)
        if (!ch.isDigit() && ch != QLatin1Char('+') && ch != QLatin1Char('-') && !separator.contains(ch) &&
            ch != QLatin1Char('.'))
            return QValidator::Invalid;
    bool ok = false;
    const qlonglong number = input.toLongLong(&ok);
    return ok && number >= kMinStock && number <= kMaxStock ? QValidator::Acceptable
                                                            : QValidator::Intermediate;
}

void TSpinEdit::fixup(QString& input) const {
    input = QString::number(WholeNumberOrZero(input));
}

int TSpinEdit::valueFromText(const QString& text) const {
    return WholeNumberOrZero(text);
}

} // namespace nibbo
