// The stock field: a number field with up and down buttons, 0..250. It is the one place where the
// figure's stock lives on screen; the core reads and writes the stock through it.
#pragma once

#include "world/world.h"

#include <QSpinBox>

namespace nibbo {

class TSpinEdit : public QSpinBox, public StockField {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    // The whole number the field shows, held to 0..250 (a number typed out of range counts as the
    // nearer bound before the field corrects it); text that is no whole number reads as 0.
    int ReadStock() const override;
    void WriteStock(int value) override;

    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    int valueFromText(const QString& text) const override;

private:
    static int WholeNumberOrZero(const QString& text);
};

} // namespace nibbo
