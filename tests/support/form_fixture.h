// A main window with scripted dialogs for tests, and helpers to read what it shows.
#pragma once

#include "shell/nibboform.h"
#include "support/fake_dialogs.h"
#include "support/state_access.h"

#include <QColor>
#include <QImage>
#include <memory>

namespace nibbo::testing {

struct FormFixture {
    FormFixture();
    ~FormFixture();

    std::unique_ptr<TNibboForm> Form;
    FakeDialogs* Dialogs = nullptr; // owned by the form
    int EndRequests = 0;            // how often the form asked to end the application

    // The colour of a pixel of the world view's client area in logical pixels, as the surface
    // holds it now (what was drawn, without a repaint).
    QColor SurfacePixel(int x, int y) const;
    // The same pixel in a fresh rendering of the view, as after a repaint by the window system.
    QColor GrabbedPixel(int x, int y) const;
    // A pixel of cell (c, r) at offset (dx, dy) inside the cell, from the surface.
    QColor CellPixel(int column, int row, int dx, int dy) const;
};

// Places a start on the current world directly, as the editor would.
void PlaceFigure(TNibboForm& form, int column, int row, int orientation);

} // namespace nibbo::testing
