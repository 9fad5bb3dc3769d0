// The entry points of the page's script into the module: one per kind of event of the page's
// controls, each handed on to the front end's or the session's handler of that event. The script
// calls nibbo_layout first, builds the page from it, then nibbo_start.
#include "web/page_layout.h"
#include "web/web_front_end.h"
#include "world/editor.h"

#include <emscripten.h>

namespace {

nibbo::WebFrontEnd& Page() {
    static nibbo::WebFrontEnd page;
    return page;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* nibbo_layout() {
    static const std::string layout = nibbo::PageLayoutJson();
    return layout.c_str();
}

EMSCRIPTEN_KEEPALIVE void nibbo_start() {
    Page().FormCreate();
}

EMSCRIPTEN_KEEPALIVE void nibbo_paint() {
    Page().Session().FormPaint();
}

EMSCRIPTEN_KEEPALIVE void nibbo_menu(int which) {
    Page().MenuItemClick(nibbo::MenuCommand(which));
}

EMSCRIPTEN_KEEPALIVE void nibbo_button(int command) {
    nibbo::PressButton(Page().Session(), nibbo::Command(command));
}

// A press on the world view: the browser's button number (0 left, 1 middle, 2 right), the modifier
// keys held, and the point in the view's pixels.
EMSCRIPTEN_KEEPALIVE void nibbo_mouse(int button, int shift, int ctrl, int alt, int x, int y) {
    using nibbo::EditorButton;
    const EditorButton pressed = button == 0   ? EditorButton::Left
                                 : button == 1 ? EditorButton::Middle
                                 : button == 2 ? EditorButton::Right
                                               : EditorButton::Other;
    const unsigned modifiers =
        (shift ? nibbo::ShiftKey : 0u) | (ctrl ? nibbo::CtrlKey : 0u) | (alt ? nibbo::AltKey : 0u);
    Page().WorldViewMouseDown(pressed, modifiers, x, y);
}

EMSCRIPTEN_KEEPALIVE void nibbo_key(int virtualKey) {
    Page().Session().Recording.FormKeyDown(virtualKey);
}

EMSCRIPTEN_KEEPALIVE void nibbo_editor_changed() {
    Page().Session().Programs.PrgMemoChange();
}

EMSCRIPTEN_KEEPALIVE void nibbo_stock_left() {
    Page().StockFieldLeft();
}

// The stock field's arrows and arrow keys: one more or one less, within the bounds.
EMSCRIPTEN_KEEPALIVE void nibbo_stock_step(int step) {
    nibbo::StockField& stock = Page().Stock();
    stock.WriteStock(stock.ReadStock() + step);
}

EMSCRIPTEN_KEEPALIVE void nibbo_timer(int timer) {
    nibbo::NibboSession& session = Page().Session();
    switch (nibbo::Timer(timer)) {
    case nibbo::Timer::Move:
        return session.Run.MoveTimerTimer();
    case nibbo::Timer::Step:
        return session.Run.StepTimerTimer();
    case nibbo::Timer::Aufz:
        return session.Recording.AufzTimerTimer();
    }
}

EMSCRIPTEN_KEEPALIVE void nibbo_info_tick(int left, int top, int width, int height, int windowWidth,
                                          int windowHeight) {
    Page().DemoTimerTimer({left, top, width, height}, {windowWidth, windowHeight});
}

} // extern "C"
