// The info window: Nibbo's name, a short description and the credits on black, with a small show.
// Nibbo walks about inside the window, chewing and turning at random and turning back at the
// edges, while the window itself wanders over the screen in the same way. The show runs only while
// the window is shown; its state lasts for the program's life, so it goes on where it stopped.
#pragma once

#include "windows/demo_show.h"

#include <QRect>
#include <QSize>
#include <QWidget>
#include <functional>

class QLabel;
class QTimer;

namespace nibbo {

class TImageList;

// The show's step and its keeping on the screen (windows/demo_show.h), with Qt's sizes.
void AdvanceShow(DemoShow& show, QSize client, QRect screen, QSize window,
                 const std::function<int(int)>& random);
void KeepWindowOnScreen(DemoShow& show, QRect screen, QSize window);

class TInfoForm : public QWidget {
    Q_OBJECT
public:
    // The figure's pictures come from the main window's image list, which outlives this window.
    explicit TInfoForm(const TImageList& pacImageList, QWidget* parent = nullptr);

    QLabel* TitelLabel = nullptr;
    QLabel* BeschreibungLabel = nullptr;
    QLabel* VersionLabel = nullptr;
    QLabel* DatumLabel = nullptr;
    QLabel* Autor1Label = nullptr;
    QLabel* Autor2Label = nullptr;
    QLabel* Autor3Label = nullptr;
    QLabel* Adresse1Label = nullptr;
    QLabel* Adresse2Label = nullptr;
    QLabel* LizenzLabel = nullptr;
    QLabel* PacImage = nullptr;
    QTimer* DemoTimer = nullptr;

    DemoShow Show;
    // The random numbers of the show; the program's one generator unless a test puts its own here.
    std::function<int(int)> Random;

    void FormCreate();
    void DemoTimerTimer();
    void FormHide();

    // The screen the window wanders on, and its own outer size.
    QRect ScreenRect() const;
    QSize OuterSize() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    const TImageList& pacImageList_;
};

} // namespace nibbo
