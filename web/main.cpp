// The entry points of the page's script into the module: one per kind of event of the page's
// controls, each handed on to the front end's or the session's handler of that event. The script
// calls nibbo_layout and nibbo_tasks first, builds the page from them, then nibbo_start.
#include "web/page_layout.h"
#include "web/task_collection.h"
#include "web/web_front_end.h"
#include "world/editor.h"

#include <emscripten.h>

namespace {

nibbo::WebFrontEnd& Page() {
    static nibbo::WebFrontEnd page;
    return page;
}

const std::vector<nibbo::Task>& Tasks() {
    static const std::vector<nibbo::Task> tasks = nibbo::FindTasks(nibbo::kTaskFolder);
    return tasks;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* nibbo_layout() {
    static const std::string layout = nibbo::PageLayoutJson();
    return layout.c_str();
}

// The task collection: the dialog's texts, and every task with its text and its start worlds.
EMSCRIPTEN_KEEPALIVE const char* nibbo_tasks() {
    static const std::string tasks = nibbo::TasksJson(Tasks());
    return tasks.c_str();
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

// A start world chosen in the task dialog, by the task's and the world's place in nibbo_tasks.
EMSCRIPTEN_KEEPALIVE void nibbo_task_world(int task, int world) {
    const std::string path = nibbo::TaskWorldPath(nibbo::kTaskFolder, Tasks(), task, world);
    if (!path.empty()) Page().Session().World.LoadGivenWorld(path);
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
