#include "support/scripted_front_end.h"

#include "shell/file_io.h"
#include "shell/windows1252.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace nibbo::testing {

namespace {

std::string CellName(int column, int row) {
    return std::to_string(column) + " " + std::to_string(row);
}

// Typing, pasting and loading never leave a carriage return or a paragraph separator in the
// window's editor: each line break becomes the end of a line.
std::u16string EditorLineBreaks(std::u16string_view text) {
    std::u16string normal = NormalizeLineBreaks(text);
    std::replace(normal.begin(), normal.end(), u'\u2029', u'\n');
    return normal;
}

} // namespace

// --- CellView ---

ShownCell* CellView::Cell(int column, int row, const char* what) {
    ++Calls;
    if (!InGrid(column, row)) {
        Faults.push_back(std::string(what) + " drawn outside the grid at " + CellName(column, row));
        return nullptr;
    }
    return &cells_[std::size_t(CellIndex(column, row))];
}

void CellView::FillPath(int column, int row) {
    if (ShownCell* cell = Cell(column, row, "path")) *cell = {ShownCell::Path, 0, -1};
}

void CellView::DrawWallPicture(int column, int row) {
    if (ShownCell* cell = Cell(column, row, "wall")) *cell = {ShownCell::Wall, 0, -1};
}

void CellView::DrawFoodPicture(int column, int row, int portions) {
    ShownCell* cell = Cell(column, row, "food");
    if (portions < 1 || portions > kMaxFood) {
        Faults.push_back("a food picture of " + std::to_string(portions) + " portions");
        return;
    }
    if (cell) cell->Food = portions;
}

void CellView::DrawFigurePicture(int column, int row, int image) {
    ShownCell* cell = Cell(column, row, "figure");
    if (image < 0 || image >= 4 * kFigureFrames) {
        Faults.push_back("figure picture " + std::to_string(image));
        return;
    }
    if (cell) cell->Figure = image;
}

std::vector<std::pair<int, int>> CellView::FigureCells() const {
    std::vector<std::pair<int, int>> found;
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r)
            if (At(c, r).Figure >= 0) found.emplace_back(c, r);
    return found;
}

std::vector<std::string> CellView::Differences(const World& world) const {
    std::vector<std::string> differences;
    for (int c = 1; c <= kColumns; ++c) {
        for (int r = 1; r <= kRows; ++r) {
            const ShownCell& shown = At(c, r);
            const int32_t code = CellAt(world, c, r);
            const bool figureHere = world.StartPlaced && world.StartColumn == c && world.StartRow == r;
            const auto differ = [&](const std::string& what) {
                differences.push_back(CellName(c, r) + ": " + what);
            };
            const ShownCell::Ground ground = code == kWall ? ShownCell::Wall : ShownCell::Path;
            if (shown.Base != ground)
                differ(shown.Base == ShownCell::Nothing ? "shows nothing"
                       : shown.Base == ShownCell::Wall  ? "shows a wall on a free cell"
                                                        : "shows a path on a wall");
            const int food = code >= 1 && code <= kMaxFood ? code : 0;
            if (!figureHere && shown.Food != food)
                differ("shows " + std::to_string(shown.Food) + " portions of " + std::to_string(food));
            if (figureHere != (shown.Figure >= 0))
                differ(figureHere ? "lacks the figure" : "shows a figure that is not there");
            else if (figureHere && shown.Figure / kFigureFrames != world.Orientation)
                differ("shows the figure facing " + std::to_string(shown.Figure / kFigureFrames));
        }
    }
    return differences;
}

// --- ScriptedFrontEnd ---

ScriptedFrontEnd::ScriptedFrontEnd() {
    // The window's menus and buttons as it builds them: saving and the recording's items wait for
    // the commands that enable them.
    for (const Command command :
         {Command::Aufzmodusan, Command::ProgrammMenu, Command::RunButton, Command::PauseButton,
          Command::StopButton, Command::StepButton, Command::SyntaxButton})
        commands_[command] = true;
    for (const Command command :
         {Command::AFspeichern, Command::Aufzstarten, Command::Aufzbeenden, Command::Aufzwiederholen,
          Command::Aufzladen, Command::Aufzspeichern, Command::Aufzspeichernunter, Command::Prgspeichern})
        commands_[command] = false;
    for (const Control control : {Control::WorldView, Control::StockField, Control::Editor})
        controls_[control] = true;
    for (const Timer timer : {Timer::Move, Timer::Step, Timer::Aufz})
        timers_[timer] = {};
}

void ScriptedFrontEnd::ClearLog() {
    Log.clear();
    Messages.clear();
    Questions.clear();
    Errors.clear();
    FileDialogs.clear();
    Saves.clear();
    Answers.clear();
    Files.clear();
    Unscripted = 0;
}

void ScriptedFrontEnd::DialogOpens() {
    ++dialogDepth_;
    if (dialogDepth_ == 1 && WhileDialogOpen) WhileDialogOpen();
    --dialogDepth_;
}

void ScriptedFrontEnd::ShowMessage(const std::string& text) {
    Log.push_back("message: " + text);
    Messages.push_back(text);
    DialogOpens();
}

bool ScriptedFrontEnd::AskQuestion(const std::string& text) {
    Log.push_back("question: " + text);
    Questions.push_back(text);
    DialogOpens();
    if (!Answers.empty()) {
        const bool yes = Answers.front();
        Answers.pop_front();
        return yes;
    }
    ++Unscripted;
    return AnswerUnscripted && AnswerUnscripted(text);
}

void ScriptedFrontEnd::ShowError(const std::string& text) {
    Log.push_back("error: " + text);
    Errors.push_back(text);
    DialogOpens();
}

std::optional<FileChoice> ScriptedFrontEnd::ChooseFile(const FileDialogSpec& spec) {
    Log.push_back((spec.Mode == FileDialogSpec::Save ? "save: " : "open: ") + spec.Title);
    FileDialogs.push_back(spec);
    DialogOpens();
    std::optional<FileChoice> choice;
    if (!Files.empty()) {
        choice = Files.front();
        Files.pop_front();
    } else {
        ++Unscripted;
        if (ChooseUnscripted) choice = ChooseUnscripted(spec);
    }
    if (choice && choice->SelectedFilter < 0) choice->SelectedFilter = spec.SelectedFilter;
    return choice;
}

FileRead ScriptedFrontEnd::ReadFileStart(const std::string& path, std::size_t count) {
    return nibbo::ReadFileStart(path, count);
}

FileRead ScriptedFrontEnd::ReadTextFile(const std::string& path) {
    return ReadTextFileBytes(path);
}

std::string ScriptedFrontEnd::SaveFile(const std::string& path, std::string_view bytes) {
    std::string problem = nibbo::SaveFile(path, bytes);
    Saves.push_back({path, std::string(bytes), problem.empty()});
    return problem;
}

// --- The editor ---

void ScriptedFrontEnd::ReplaceText(std::size_t from, std::size_t to, std::u16string_view text) {
    if (from == to && text.empty()) return;
    text_.replace(from, to - from, text);
    if (session_) session_->Programs.PrgMemoChange();
}

void ScriptedFrontEnd::SetEditorText(std::u16string_view text) {
    if (text == text_) return;
    ReplaceText(0, text_.size(), EditorLineBreaks(text));
    anchor_ = caret_ = 0;
}

void ScriptedFrontEnd::AppendEditorLine(std::u16string_view line) {
    std::u16string addition = EditorLineBreaks(line) + u'\n';
    if (!text_.empty() && text_.back() != u'\n') addition.insert(addition.begin(), u'\n');
    const std::size_t end = text_.size();
    ReplaceText(end, end, addition);
    // A caret at the end moves on with the text appended there, as the window's does.
    if (anchor_ == end) anchor_ += addition.size();
    if (caret_ == end) caret_ += addition.size();
}

void ScriptedFrontEnd::Type(std::u16string_view text) {
    if (!IsEnabled(Control::Editor)) return;
    const std::size_t from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
    const std::u16string typed = EditorLineBreaks(text);
    ReplaceText(from, to, typed);
    anchor_ = caret_ = from + typed.size();
}

void ScriptedFrontEnd::PressKey(char16_t key, bool editorHasFocus) {
    // A letter's virtual-key code is its capital's; a digit's is itself; other keys act on nothing.
    int virtualKey = 0;
    if (key >= u'a' && key <= u'z')
        virtualKey = key - u'a' + 'A';
    else if ((key >= u'A' && key <= u'Z') || (key >= u'0' && key <= u'9'))
        virtualKey = key;
    if (session_) session_->Recording.FormKeyDown(virtualKey);
    if (editorHasFocus && key >= u' ') Type(std::u16string(1, key));
}

int ScriptedFrontEnd::DocumentPosition(int crlfPosition) const {
    // Line k starts at p in the editor's text and at p + k when breaks count two; the position
    // belongs to the last line that starts at or before it.
    std::size_t lineStart = 0;
    long long line = 0;
    std::size_t lineBreak = text_.find(u'\n');
    while (lineBreak != std::u16string::npos && (long long)(lineBreak + 1) + line + 1 <= crlfPosition) {
        lineStart = lineBreak + 1;
        ++line;
        lineBreak = text_.find(u'\n', lineStart);
    }
    const std::size_t lineEnd = lineBreak == std::u16string::npos ? text_.size() : lineBreak;
    // A position inside a two-character line break falls on the end of its line.
    const long long offset = std::clamp((long long)crlfPosition - (long long)lineStart - line, 0LL,
                                        (long long)(lineEnd - lineStart));
    return int(lineStart + std::size_t(offset));
}

int ScriptedFrontEnd::CrlfPosition(int documentPosition) const {
    const auto end = text_.begin() + std::min<std::ptrdiff_t>(documentPosition, std::ptrdiff_t(text_.size()));
    return documentPosition + int(std::count(text_.begin(), end, u'\n'));
}

void ScriptedFrontEnd::SelectInEditor(int start, int length) {
    anchor_ = std::size_t(DocumentPosition(start));
    caret_ =
        length > 0
            ? std::size_t(DocumentPosition(int(std::min<long long>((long long)start + length, 1LL << 30))))
            : anchor_;
}

int ScriptedFrontEnd::EditorSelStart() const {
    return CrlfPosition(int(std::min(anchor_, caret_)));
}

int ScriptedFrontEnd::EditorSelLength() const {
    return CrlfPosition(int(std::max(anchor_, caret_))) - EditorSelStart();
}

std::u16string ScriptedFrontEnd::SelectedText() const {
    const std::size_t from = std::min(anchor_, caret_);
    return text_.substr(from, std::max(anchor_, caret_) - from);
}

std::vector<std::u16string> ScriptedFrontEnd::EditorLines() const {
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    while (start < text_.size()) {
        const std::size_t lineBreak = std::min(text_.find(u'\n', start), text_.size());
        lines.push_back(text_.substr(start, lineBreak - start));
        start = lineBreak + 1;
    }
    return lines;
}

// --- Captions, panels and timers ---

std::string ScriptedFrontEnd::Caption(Command command) const {
    const auto found = captions_.find(command);
    return found == captions_.end() ? std::string() : found->second;
}

std::string ScriptedFrontEnd::Panel(FilePanel panel) const {
    const auto found = panels_.find(panel);
    return found == panels_.end() ? std::string() : found->second;
}

void ScriptedFrontEnd::StartTimer(Timer timer, int interval) {
    timers_[timer] = {true, interval, now_ + interval};
}

bool ScriptedFrontEnd::TickNext() {
    const Timer* next = nullptr;
    static constexpr Timer kTimers[] = {Timer::Move, Timer::Step, Timer::Aufz};
    for (const Timer& timer : kTimers) {
        const TimerState& state = timers_.at(timer);
        if (state.Running && (!next || state.Due < timers_.at(*next).Due)) next = &timer;
    }
    if (!next) return false;
    TimerState& state = timers_.at(*next);
    now_ = std::max(now_, state.Due);
    state.Due = now_ + state.Interval;
    if (!session_) return true;
    switch (*next) {
    case Timer::Move:
        session_->Run.MoveTimerTimer();
        break;
    case Timer::Step:
        session_->Run.StepTimerTimer();
        break;
    case Timer::Aufz:
        session_->Recording.AufzTimerTimer();
        break;
    }
    return true;
}

int ScriptedFrontEnd::TickUntilIdle(int limit) {
    int ticks = 0;
    while (ticks < limit && TickNext())
        ++ticks;
    return ticks;
}

// --- SessionFixture ---

std::filesystem::path MakeTemporaryFolder(const char* prefix, const std::filesystem::path& base) {
    std::string pattern =
        ((base.empty() ? std::filesystem::temp_directory_path() : base) / prefix).string() + "XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder: " + pattern);
    return pattern;
}

SessionFixture::SessionFixture(std::u16string_view initialProgram)
    : folder_(MakeTemporaryFolder("nibbo-session-")), previousFolder_(std::filesystem::current_path()) {
    // The session makes a chosen file's folder the working folder; the tests start in their own.
    std::filesystem::current_path(folder_);
    Ui.SetEditorText(initialProgram);
    session_ = std::make_unique<NibboSession>(Ui);
    Ui.Attach(*session_);
    session_->FormCreate();
    session_->FormPaint();
}

SessionFixture::~SessionFixture() {
    std::error_code ignored;
    std::filesystem::current_path(previousFolder_, ignored);
    std::filesystem::remove_all(folder_, ignored);
}

std::string SessionFixture::WriteFile(const std::string& name, std::string_view bytes) const {
    const std::string path = PathOf(name);
    if (const std::string problem = nibbo::SaveFile(path, bytes); !problem.empty())
        throw std::runtime_error(path + ": " + problem);
    return path;
}

} // namespace nibbo::testing
