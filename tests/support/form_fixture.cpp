#include "support/form_fixture.h"

#include "world/world_view.h"

namespace nibbo::testing {

FormFixture::FormFixture() {
    auto dialogs = std::make_unique<FakeDialogs>();
    Dialogs = dialogs.get();
    Form = std::make_unique<TNibboForm>(std::move(dialogs));
    Form->OnEnd = [this] { ++EndRequests; };
}

FormFixture::~FormFixture() = default;

QColor FormFixture::SurfacePixel(int x, int y) const {
    const QImage& surface = Form->FeldEditorDrawGrid->Surface();
    const qreal dpr = surface.devicePixelRatio();
    return surface.pixelColor(int(x * dpr), int(y * dpr));
}

QColor FormFixture::GrabbedPixel(int x, int y) const {
    const QImage image = Form->FeldEditorDrawGrid->grab().toImage();
    const qreal dpr = image.devicePixelRatio();
    return image.pixelColor(int((x + 2) * dpr), int((y + 2) * dpr)); // 2 pixels of sunken border
}

QColor FormFixture::CellPixel(int column, int row, int dx, int dy) const {
    return SurfacePixel((column - 1) * kCellPitch + dx, (row - 1) * kCellPitch + dy);
}

void PlaceFigure(TNibboForm& form, int column, int row, int orientation) {
    World& world = CurrentWorld(form);
    world.StartColumn = column;
    world.StartRow = row;
    world.Orientation = uint8_t(orientation);
    world.StartPlaced = true;
}

} // namespace nibbo::testing
