#include "windows/demo_show.h"

#include "world/world_paint.h"

#include <algorithm>
#include <limits>

namespace nibbo {

namespace {

constexpr int kTurnChance = 12; // one tick in twelve draws a new direction

constexpr pictures::Rgb kRed{255, 0, 0};
constexpr pictures::Rgb kLime{0, 255, 0};
constexpr pictures::Rgb kSkyBlue{166, 202, 240};
constexpr pictures::Rgb kTeal{0, 128, 128};

// Turns at an edge: a walker that would step over the edge in its present direction turns back.
// The tests look at the present direction only, so a turn at a corner waits for the next tick.
uint8_t TurnAtEdges(uint8_t direction, int64_t left, int64_t top, Extent size, Area area) {
    switch (direction) {
    case 0:
        if (left + size.Width + kDemoStep > int64_t(area.Left) + area.Width) return 2;
        break;
    case 1:
        if (top < int64_t(area.Top) + kDemoStep) return 3;
        break;
    case 2:
        if (left < int64_t(area.Left) + kDemoStep) return 0;
        break;
    case 3:
        if (top + size.Height + kDemoStep > int64_t(area.Top) + area.Height) return 1;
        break;
    }
    return direction;
}

void StepInDirection(uint8_t direction, uint32_t& left, uint32_t& top) {
    switch (direction) {
    case 0:
        left += kDemoStep;
        break;
    case 1:
        top -= kDemoStep;
        break;
    case 2:
        left -= kDemoStep;
        break;
    case 3:
        top += kDemoStep;
        break;
    }
}

uint32_t ToPosition(int64_t value) {
    return uint32_t(std::clamp<int64_t>(value, 0, std::numeric_limits<uint32_t>::max()));
}

} // namespace

const std::array<InfoLabel, 10>& InfoLabels() {
    using L = InfoLabel;
    static const std::array<InfoLabel, 10> labels{{
        {"TitelLabel", "Nibbo", L::Title, 48, kRed, {151, 24, 145, 55}, false},
        {"BeschreibungLabel",
         "Nibbo ist eine Lernumgebung für die ersten Schritte im Programmieren. Du steuerst Nibbo mit den "
         "Tasten und mit eigenen Pascal-Programmen durch seine Welt.",
         L::Sans,
         13,
         kLime,
         {24, 96, 381, 48},
         true},
        {"VersionLabel", "Version 1.0", L::Sans, 15, kSkyBlue, {24, 160, 0, 0}, false},
        {"Autor1Label", "Idee und Programm: das Nibbo-Team", L::Sans, 17, kSkyBlue, {24, 200, 0, 0}, false},
        {"Autor2Label",
         "Bilder und Hilfetexte: das Nibbo-Team",
         L::Sans,
         17,
         kSkyBlue,
         {24, 224, 0, 0},
         false},
        {"Autor3Label", "Danke an alle Testklassen!", L::Sans, 17, kSkyBlue, {24, 248, 0, 0}, false},
        {"Adresse1Label",
         "Nibbo – Programmieren lernen im Informatikunterricht",
         L::Sans,
         13,
         kLime,
         {24, 288, 232, 32},
         true},
        {"Adresse2Label",
         "Für Schulen und für alle, die programmieren lernen wollen. Ideen und Hinweise sind willkommen.",
         L::Sans,
         13,
         kLime,
         {24, 326, 351, 32},
         true},
        {"LizenzLabel",
         "GNU GPL 3 oder später: nutzen, kopieren, ändern, weitergeben; Änderungen bleiben frei. Ohne "
         "Gewähr.",
         L::Sans,
         13,
         kTeal,
         {24, 376, 373, 32},
         true},
        {"DatumLabel", "Dezember 2026", L::Sans, 15, kSkyBlue, {24, 176, 0, 0}, false},
    }};
    return labels;
}

void AdvanceShow(DemoShow& show, Extent client, Area screen, Extent window,
                 const std::function<int(int)>& random) {
    show.Frame = (show.Frame + 1) % kFigureFrames;

    if (random(kTurnChance) == 0) show.FigureDirection = uint8_t(random(4) & 3);
    show.FigureDirection =
        TurnAtEdges(show.FigureDirection, show.FigureLeft, show.FigureTop,
                    Extent{kDemoSpriteSize, kDemoSpriteSize}, Area{0, 0, client.Width, client.Height});
    StepInDirection(show.FigureDirection, show.FigureLeft, show.FigureTop);

    if (random(kTurnChance) == 0) show.WindowDirection = uint8_t(random(4) & 3);
    show.WindowDirection = TurnAtEdges(show.WindowDirection, show.WindowLeft, show.WindowTop, window, screen);
    StepInDirection(show.WindowDirection, show.WindowLeft, show.WindowTop);
}

void KeepWindowOnScreen(DemoShow& show, Area screen, Extent window) {
    const int64_t maxLeft =
        std::max<int64_t>(screen.Left, int64_t(screen.Left) + screen.Width - window.Width);
    const int64_t maxTop = std::max<int64_t>(screen.Top, int64_t(screen.Top) + screen.Height - window.Height);
    show.WindowLeft = ToPosition(std::clamp<int64_t>(show.WindowLeft, screen.Left, maxLeft));
    show.WindowTop = ToPosition(std::clamp<int64_t>(show.WindowTop, screen.Top, maxTop));
}

} // namespace nibbo
