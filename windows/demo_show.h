// The info window without a toolkit: its size, its labels with their texts and looks, and the show
// in which Nibbo walks about inside the window, chewing and turning at random and turning back at
// the edges, while the window itself wanders over the screen in the same way. Every front end
// builds its info window from these and steps the show with AdvanceShow.
#pragma once

#include "resources/picture_shapes.h"
#include "shell/window_layout.h"

#include <array>
#include <cstdint>
#include <functional>

namespace nibbo {

inline constexpr const char* kInfoCaption = "Nibbo Info";
inline constexpr int kInfoClientWidth = 445;
inline constexpr int kInfoClientHeight = 419;
inline constexpr int kInfoDesignLeft = 432;
inline constexpr int kInfoDesignTop = 123;
inline constexpr int kDemoInterval = 100; // milliseconds from one step of the show to the next
inline constexpr int kDemoSpriteSize = 25;
inline constexpr int kDemoStep = 2;
// Where the figure's picture stands when the window is made, before the first step moves it.
inline constexpr int kDemoImageLeft = 80;
inline constexpr int kDemoImageTop = 40;

// The labels on the black ground, in the order in which they lie over each other: the figure walks
// over every label but the last.
struct InfoLabel {
    const char* Name;
    const char* Text;
    enum Look : uint8_t { Title, Sans } Font;
    int PixelSize;
    pictures::Rgb Colour;
    Box Place;    // a width and height of 0: as large as the text
    bool Wrapped; // the text wraps within the place's width
};
const std::array<InfoLabel, 10>& InfoLabels();

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

struct Extent {
    int Width, Height;
};
struct Area {
    int Left, Top, Width, Height;
};

// The second half of a tick: the next frame, a random turn of the figure (1 in 12), its turn at the
// client area's edges and its step; then the same for the window against the screen's edges.
// random(n) gives a whole number in 0..n-1.
void AdvanceShow(DemoShow& show, Extent client, Area screen, Extent window,
                 const std::function<int(int)>& random);

// The window's wandering position brought onto the screen, where it already is in every case but a
// window that starts or is left outside it (a screen smaller than the window's place, a window
// that grew by its frame). A position on the screen stays as it is.
void KeepWindowOnScreen(DemoShow& show, Area screen, Extent window);

} // namespace nibbo
