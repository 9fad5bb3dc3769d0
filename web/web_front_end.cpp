#include "web/web_front_end.h"

#include "shell/random.h"
#include "world/editor.h"

#include <cstdlib>
#include <emscripten.h>
#include <filesystem>

// The page's script (page.js) answers these calls; `Module.page` is the page object it hands to
// the module before the session starts. Texts cross as UTF-8, the editor's text as UTF-16 units.

// clang-format off
EM_ASYNC_JS(void, js_show_message, (const char* kind, const char* text), {
    await Module.page.dialogs.message(UTF8ToString(kind), UTF8ToString(text));
});
EM_JS(void, js_show_message_now, (const char* kind, const char* text), {
    Module.page.dialogs.message(UTF8ToString(kind), UTF8ToString(text));
});
EM_ASYNC_JS(int, js_ask_question, (const char* text), {
    return (await Module.page.dialogs.question(UTF8ToString(text))) ? 1 : 0;
});
// An open dialog puts the chosen file into the module's file system and gives its path; a save
// dialog gives the name typed. Either way "path\nfilter", or nothing when it was cancelled.
EM_ASYNC_JS(char*, js_choose_file, (const char* dialog), {
    const choice = await Module.page.dialogs.chooseFile(JSON.parse(UTF8ToString(dialog)));
    if (!choice) return 0;
    let path = choice.name;
    if (choice.bytes) {
        path = FS.cwd() + "/" + choice.name;
        FS.writeFile(path, choice.bytes);
    }
    const answer = path + "\n" + choice.filter;
    const size = lengthBytesUTF8(answer) + 1;
    const memory = _malloc(size);
    stringToUTF8(answer, memory, size);
    return memory;
});
EM_JS(void, js_download, (const char* name, const char* bytes, int length), {
    Module.page.download(UTF8ToString(name), HEAPU8.slice(bytes, bytes + length));
});
EM_JS(char16_t*, js_editor_text, (int* length), {
    const text = Module.page.editor.text();
    const memory = _malloc(text.length * 2 + 2);
    const first = memory >> 1;
    for (let i = 0; i < text.length; ++i) HEAPU16[first + i] = text.charCodeAt(i);
    HEAP32[length >> 2] = text.length;
    return memory;
});
EM_JS(void, js_set_editor_text, (const char16_t* text, int length, int append), {
    const first = text >> 1;
    let decoded = "";
    for (let i = 0; i < length; i += 8192)
        decoded += String.fromCharCode.apply(null, HEAPU16.subarray(first + i, first + Math.min(length, i + 8192)));
    if (append) Module.page.editor.appendLine(decoded);
    else Module.page.editor.setText(decoded);
});
EM_JS(void, js_select_in_editor, (int start, int length), { Module.page.editor.select(start, length); });
EM_JS(int, js_editor_sel_start, (), { return Module.page.editor.selStart(); });
EM_JS(int, js_speed_position, (), { return Module.page.speed(); });
EM_JS(char*, js_stock_text, (), {
    const text = Module.page.stock.text();
    const size = lengthBytesUTF8(text) + 1;
    const memory = _malloc(size);
    stringToUTF8(text, memory, size);
    return memory;
});
EM_JS(void, js_write_stock, (int value), { Module.page.stock.setValue(value); });
EM_JS(void, js_set_command_enabled, (int command, int enabled), {
    Module.page.setCommandEnabled(command, !!enabled);
});
EM_JS(void, js_set_command_caption, (int command, const char* caption), {
    Module.page.setCommandCaption(command, UTF8ToString(caption));
});
EM_JS(void, js_set_control_enabled, (int control, int enabled), {
    Module.page.setControlEnabled(control, !!enabled);
});
EM_JS(void, js_show_file_name, (int panel, const char* prefix, const char* name), {
    Module.page.showFileName(panel, UTF8ToString(prefix), UTF8ToString(name));
});
EM_JS(void, js_set_message_list, (const char* lines), {
    const text = UTF8ToString(lines);
    Module.page.setMessages(text === "" ? [] : text.split("\n"));
});
EM_JS(void, js_start_timer, (int timer, int interval), { Module.page.timers.start(timer, interval); });
EM_JS(void, js_stop_timer, (int timer), { Module.page.timers.stop(timer); });
EM_JS(void, js_end_application, (), { Module.page.end(); });
EM_JS(void, js_fill_path, (int column, int row), { Module.page.world.fillPath(column, row); });
EM_JS(void, js_draw_wall, (int column, int row), { Module.page.world.drawWall(column, row); });
EM_JS(void, js_draw_food, (int column, int row, int portions), {
    Module.page.world.drawFood(column, row, portions);
});
EM_JS(void, js_draw_figure, (int column, int row, int image), {
    Module.page.world.drawFigure(column, row, image);
});
EM_JS(void, js_show_info, (), { Module.page.info.show(); });
EM_JS(void, js_show_help, (), { Module.page.help.show(0); });
EM_JS(void, js_place_info, (int windowLeft, int windowTop, int image, int figureLeft, int figureTop), {
    Module.page.info.place(windowLeft, windowTop, image, figureLeft, figureTop);
});
// clang-format on

namespace nibbo {

namespace {

// The file system's folder where picked files are put and saved names are made whole.
constexpr const char* kFolder = "/nibbo";

std::string Owned(char* text) {
    std::string copy = text ? text : "";
    std::free(text);
    return copy;
}

std::string DialogJson(const FileDialogSpec& dialog) {
    const auto quoted = [](const std::string& text) {
        std::string out = "\"";
        for (const char ch : text) {
            if (ch == '"' || ch == '\\') out += '\\';
            if (static_cast<unsigned char>(ch) < 0x20) continue;
            out += ch;
        }
        return out + "\"";
    };
    std::string json = "{\"save\":" + std::string(dialog.Mode == FileDialogSpec::Save ? "true" : "false");
    json += ",\"title\":" + quoted(dialog.Title) + ",\"preset\":" + quoted(dialog.PresetName);
    json += ",\"selected\":" + std::to_string(dialog.SelectedFilter) + ",\"filters\":[";
    for (std::size_t i = 0; i < dialog.Filters.size(); ++i) {
        if (i > 0) json += ',';
        json += "{\"label\":" + quoted(dialog.Filters[i].Label) +
                ",\"pattern\":" + quoted(dialog.Filters[i].Pattern) + "}";
    }
    return json + "]}";
}

} // namespace

class WebFrontEnd::Waiting {
public:
    explicit Waiting(bool& flag) : flag_(flag) { flag_ = true; }
    ~Waiting() { flag_ = false; }
    Waiting(const Waiting&) = delete;
    Waiting& operator=(const Waiting&) = delete;

private:
    bool& flag_;
};

WebFrontEnd::WebFrontEnd() : session_(std::make_unique<NibboSession>(*this)) {
    show_.WindowLeft = kInfoDesignLeft;
    show_.WindowTop = kInfoDesignTop;
}

void WebFrontEnd::FormCreate() {
    std::error_code ignored;
    std::filesystem::create_directories(kFolder, ignored);
    std::filesystem::current_path(kFolder, ignored);
    // The info window's show draws its turns from the clock's random numbers.
    SeedRandom();
    session_->FormCreate();
    session_->FormPaint();
}

void WebFrontEnd::MenuItemClick(MenuCommand which) {
    if (PerformMenuCommand(*session_, which)) return;
    // "Info" starts the show and shows its window; "Hilfe" opens the help on its first page.
    if (which == MenuCommand::Info) js_show_info();
    if (which == MenuCommand::Hilfe) js_show_help();
}

void WebFrontEnd::WorldViewMouseDown(EditorButton button, unsigned modifiers, int x, int y) {
    const CellPlace cell = CellAtPoint(x, y);
    session_->World.FeldEditorDrawGridMouseDown(button, modifiers, cell.Column, cell.Row);
}

void WebFrontEnd::StockFieldLeft() {
    WriteStock(ReadStock());
}

void WebFrontEnd::DemoTimerTimer(Area screen, Extent window) {
    KeepWindowOnScreen(show_, screen, window);
    js_place_info(int(show_.WindowLeft), int(show_.WindowTop),
                  FigureImage(show_.FigureDirection, int(show_.Frame)), int(show_.FigureLeft),
                  int(show_.FigureTop));
    AdvanceShow(show_, Extent{kInfoClientWidth, kInfoClientHeight}, screen, window, RandomBelow);
}

void WebFrontEnd::ShowMessage(const std::string& text) {
    if (waiting_) return js_show_message_now("message", text.c_str());
    Waiting waiting(waiting_);
    js_show_message("message", text.c_str());
}

bool WebFrontEnd::AskQuestion(const std::string& text) {
    // Only the timers' ticks reach the session while a dialog is open, and none of them asks.
    if (waiting_) return false;
    Waiting waiting(waiting_);
    return js_ask_question(text.c_str()) != 0;
}

void WebFrontEnd::ShowError(const std::string& text) {
    if (waiting_) return js_show_message_now("error", text.c_str());
    Waiting waiting(waiting_);
    js_show_message("error", text.c_str());
}

std::optional<FileChoice> WebFrontEnd::ChooseFile(const FileDialogSpec& dialog) {
    if (waiting_) return std::nullopt;
    Waiting waiting(waiting_);
    const std::string answer = Owned(js_choose_file(DialogJson(dialog).c_str()));
    const std::size_t split = answer.rfind('\n');
    if (split == std::string::npos) return std::nullopt;
    return FileChoice{answer.substr(0, split), std::atoi(answer.c_str() + split + 1)};
}

FileRead WebFrontEnd::ReadFileStart(const std::string& path, std::size_t count) {
    return nibbo::ReadFileStart(path, count);
}

FileRead WebFrontEnd::ReadTextFile(const std::string& path) {
    return ReadTextFileBytes(path);
}

std::string WebFrontEnd::SaveFile(const std::string& path, std::string_view bytes) {
    // The browser saves a download under the file's own name, in the folder its user chose.
    const std::string name = std::filesystem::path(path).filename().string();
    js_download(name.c_str(), bytes.data(), int(bytes.size()));
    return {};
}

std::u16string WebFrontEnd::EditorText() const {
    int length = 0;
    char16_t* text = js_editor_text(&length);
    std::u16string copy(text, std::size_t(length));
    std::free(text);
    return copy;
}

void WebFrontEnd::SetEditorText(std::u16string_view text) {
    // The desktop editor reports every change of its text, also one the program makes.
    if (EditorText() == text) return;
    js_set_editor_text(text.data(), int(text.size()), 0);
    session_->Programs.PrgMemoChange();
}

void WebFrontEnd::AppendEditorLine(std::u16string_view line) {
    js_set_editor_text(line.data(), int(line.size()), 1);
    session_->Programs.PrgMemoChange();
}

void WebFrontEnd::SelectInEditor(int start, int length) {
    js_select_in_editor(start, length);
}

int WebFrontEnd::EditorSelStart() const {
    return js_editor_sel_start();
}

int WebFrontEnd::SpeedPosition() const {
    return js_speed_position();
}

void WebFrontEnd::SetCommandEnabled(Command command, bool enabled) {
    js_set_command_enabled(int(command), enabled);
}

void WebFrontEnd::SetCommandCaption(Command command, const std::string& caption) {
    js_set_command_caption(int(command), caption.c_str());
}

void WebFrontEnd::SetControlEnabled(Control control, bool enabled) {
    js_set_control_enabled(int(control), enabled);
}

void WebFrontEnd::ShowFileName(FilePanel panel, const std::string& prefix, const std::string& name) {
    // The browser knows no folders: the panel names the file itself.
    js_show_file_name(panel == FilePanel::World ? 1 : 2, prefix.c_str(),
                      std::filesystem::path(name).filename().string().c_str());
}

void WebFrontEnd::SetMessageList(const std::vector<std::string>& lines) {
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) joined += '\n';
        joined += lines[i];
    }
    js_set_message_list(joined.c_str());
}

void WebFrontEnd::StartTimer(Timer timer, int interval) {
    js_start_timer(int(timer), interval);
}

void WebFrontEnd::StopTimer(Timer timer) {
    js_stop_timer(int(timer));
}

void WebFrontEnd::EndApplication() {
    js_end_application();
}

void WebFrontEnd::FillPath(int column, int row) {
    js_fill_path(column, row);
}

void WebFrontEnd::DrawWallPicture(int column, int row) {
    js_draw_wall(column, row);
}

void WebFrontEnd::DrawFoodPicture(int column, int row, int portions) {
    js_draw_food(column, row, portions);
}

void WebFrontEnd::DrawFigurePicture(int column, int row, int image) {
    js_draw_figure(column, row, image);
}

int WebFrontEnd::ReadStock() const {
    return StockFromText(Owned(js_stock_text()));
}

void WebFrontEnd::WriteStock(int value) {
    js_write_stock(PlainStockField::ClampStock(value));
}

} // namespace nibbo
