// The info window: Nibbo's name, a short description and the credits on black, with a small show.
// Nibbo walks about inside the window, chewing and turning at random and turning back at the
// edges, while the window itself wanders over the screen in the same way. The show runs only while
// the window is shown; its state lasts for the program's life, so it goes on where it stopped.
#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <functional>

class QLabel;
class QTimer;

namespace nibbo {

class TImageList;

// The state of the show. Directions use the codes of the figure's facing: 0 right, 1 up, 2 left,
// 3 down.
struct DemoShow {
    uint32_t Frame = 0; // chewing frame 0..4 of the figure's picture
    uint32_t FigureLeft = 40;
    uint32_t FigureTop = 40;
    uint8_t FigureDirection = 0;
    uint32_t WindowLeft = 0;
    uint32_t WindowTop = 0;
    uint8_t WindowDirection = 0;
};

inline constexpr int kDemoSpriteSize = 25;
inline constexpr int kDemoStep = 2;

// The second half of a tick: the next frame, a random turn of the figure (1 in 12), its turn at the
// client area's edges and its step; then the same for the window against the screen's edges.
// random(n) gives a whole number in 0..n-1.
void AdvanceShow(DemoShow& show, QSize client, QRect screen, QSize window,
                 const std::function<int(int)>& random);

// The window's wandering position brought onto the screen, where it already is in every case but a
// window that starts or is left outside it (a screen smaller than the window's place, a window
// that grew by its frame). A position on the screen stays as it is.
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
