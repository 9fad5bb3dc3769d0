// The whole session through the scripted front end, driven by what a pupil can do: clicks with
// and without Ctrl and Shift on the world view, keys, typing and pasting in the editor, every menu
// command and button while it is enabled, the stock field, the slider, timer ticks (also while a
// dialog is open, as the window's timers go on ticking under a modal box), answers to questions,
// and file choices of valid, broken, missing and odd files. After every event: nothing was drawn
// outside the grid, both worlds are worlds the figure can live in, the view shows the world, no
// timer runs that the state forbids, the locks and the program tools follow the run and the
// recording mode, the status panels name the files, and every file written loads back as it was.
//
// An input is a script, one event per byte: a byte that is an event's letter (see kEvents) is that
// event, any other selects one by its value; an event reads its arguments from the bytes after it.
// Every dialog, when it opens, reads how many timer ticks come while it is open; a question or a
// file dialog then reads its answer.
#include "invariants.h"

#include "shell/windows1252.h"
#include "support/scripted_front_end.h"
#include "world/world_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace nibbo;
using nibbo::fuzz::Require;
using nibbo::testing::ScriptedFrontEnd;

namespace {

// --- The input ---

class Script {
public:
    Script(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Done() const { return next_ >= size_; }
    // The next byte; 0 once the script has run out.
    uint8_t Byte() { return next_ < size_ ? data_[next_++] : 0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t next_ = 0;
};

// --- The files the dialogs offer, made anew for every input ---

std::string WorldBytes(bool borderHole) {
    World world;
    ClearWorld(world);
    for (int c = 2; c < kColumns; c += 3)
        SetCell(world, c, 6, kWall);
    SetCell(world, 4, 3, 3);
    SetCell(world, 5, 3, kMaxFood);
    if (borderHole) SetCell(world, 1, 7, kFreePath);
    world.StartColumn = 3;
    world.StartRow = 3;
    world.Orientation = East;
    PlainStockField stock;
    stock.WriteStock(5);
    WorldRecord record;
    StoreWorld(world, stock, record);
    const WorldFileBytes bytes = EncodeWorldFile(record);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string EveryByte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += char(b);
    return bytes;
}

struct OfferedFile {
    const char* Name;
    std::string Bytes; // written before every input
    bool Write = true; // false: left missing, or a folder when the name ends in "/"
};

const std::vector<OfferedFile>& OfferedFiles() {
    static const std::vector<OfferedFile> files = {
        {"welt.wlt", WorldBytes(false)},
        {"kurz.wlt", WorldBytes(false).substr(0, 100)},
        {"loch.wlt", WorldBytes(true)},
        {"sammeln.pas", "program sammeln;\r\nbegin\r\n  while vorne_frei do\r\n  begin\r\n    vor;\r\n"
                        "    if liegt_futter then nimm_auf;\r\n  end;\r\nend."},
        {"weg.afz",
         "procedure weg;\r\nbegin\r\n  vor;\r\n  nimm_auf;\r\n  drehe_links;\r\n  gib_ab;\r\nend;\r\n"},
        {"fehler.pas", "program\nbegin vor end"},
        {"leer.pas", ""},
        {"bytes.pas", EveryByte()},
        {"neu", {}, false},
        {"ordner/", {}, false},
        {"ordner/tief.afz", {}, false},
    };
    return files;
}

// What a pupil types or pastes.
const std::u16string_view kTexts[] = {
    u"program p;\nbegin\n  while vorne_frei do vor;\n  drehe_links;\n  if liegt_futter then nimm_auf else "
    u"gib_ab;\nend.",
    u"program kreisel;\nbegin\n  while vorne_frei do\n    drehe_links;\nend.",
    u"program tief;\nprocedure r;\nbegin\n  vor;\n  r;\nend;\nbegin\n  r;\nend.",
    u"program x\nbegin\n  vor\nend",
    u"procedure aufzeichnung;\nbegin\n  vor;\n  drehe_links;\n  nimm_auf;\n  gib_ab;\nend;\n",
    u"",
    u"vor;",
    u"\n",
    u"end.",
    u"\u00fc\u20ac",
    u"\u0100",
    u"\t{ x }",
    u"\r\n",
};

std::filesystem::path InMemory() {
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : "";
}

class Folder {
public:
    // In memory where there is such a folder: every save waits until its bytes are on the disk.
    Folder() : path_(testing::MakeTemporaryFolder("nibbo-fuzz-session-", InMemory())) {}
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

    // The offered files as they were at the start, nothing else; the working folder in it.
    void Renew() const {
        std::error_code ignored;
        std::filesystem::current_path(path_, ignored);
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            std::filesystem::remove_all(entry.path(), ignored);
        for (const OfferedFile& file : OfferedFiles()) {
            const std::string path = (path_ / file.Name).string();
            if (!file.Write) {
                if (path.back() == '/') std::filesystem::create_directory(path, ignored);
                continue;
            }
            Require(SaveFile(path, file.Bytes).empty(), "an offered file cannot be written");
        }
    }

private:
    std::filesystem::path path_;
};

// --- The rules, checked after every event ---

void CheckStart(int32_t column, int32_t row, uint8_t orientation, const Grid& cells, const char* when) {
    Require(InInterior(column, row), std::string(when) + ": the figure outside the interior");
    Require(cells[size_t(CellIndex(column, row))] != kWall, std::string(when) + ": the figure on a wall");
    Require(orientation <= South, std::string(when) + ": facing out of range");
}

void CheckWorlds(NibboSession& session, ScriptedFrontEnd& ui) {
    const WorldState& world = session.World.State();
    fuzz::CheckCells(world.Current.Cells, "the current world");
    if (world.Current.StartPlaced)
        CheckStart(world.Current.StartColumn, world.Current.StartRow, world.Current.Orientation,
                   world.Current.Cells, "the current world");
    const int stock = ui.Stock().ReadStock();
    Require(stock >= kMinStock && stock <= kMaxStock, "the stock out of range");

    // The stored world is what a file holds: every run, reset and replay starts from it.
    fuzz::CheckCells(world.Stored.Cells, "the stored world");
    if (world.Stored.StartColumn != 0)
        CheckStart(world.Stored.StartColumn, world.Stored.StartRow, world.Stored.Orientation,
                   world.Stored.Cells, "the stored world");
    Require(world.Stored.Stock >= kMinStock && world.Stored.Stock <= kMaxStock,
            "the stored stock out of range");

    if (!ui.View.Faults.empty()) fuzz::Broken(ui.View.Faults.front());
    // Commands end with a whole repaint, and what draws single cells draws them as they are.
    const std::vector<std::string> differences = ui.View.Differences(world.Current);
    if (!differences.empty()) fuzz::Broken("the view does not show the world: " + differences.front());
}

void CheckTimers(NibboSession& session, ScriptedFrontEnd& ui) {
    const RunState& run = session.Run.State();
    const RecordingState& recording = session.Recording.State();
    const bool move = ui.IsRunning(Timer::Move), step = ui.IsRunning(Timer::Step),
               replay = ui.IsRunning(Timer::Aufz);
    Require(move == run.MoveTimer.IsActive() && step == run.StepTimer.IsActive() &&
                replay == recording.AufzTimer.IsActive(),
            "the session and its front end disagree about a timer");
    Require(!move || run.RunActive, "the MoveTimer runs without a run");
    Require(!step || (run.RunActive && !run.StepMode), "the StepTimer runs without an animated run");
    Require(!run.StepMode || run.RunActive, "single steps without a run");
    Require(!replay || !run.RunActive, "a replay tick during a run");
    Require(!replay || (recording.Mode && !recording.Active),
            "a replay outside recording mode or during a recording");
    Require(!run.RunActive || !recording.Mode, "a run in recording mode");
    Require(!recording.Active || recording.Mode, "a recording outside recording mode");
}

void CheckControls(NibboSession& session, ScriptedFrontEnd& ui) {
    const bool running = session.Run.State().RunActive;
    for (const Control control : {Control::WorldView, Control::StockField, Control::Editor})
        Require(ui.IsEnabled(control) != running, "the locks do not follow the run");

    const RecordingState& recording = session.Recording.State();
    for (const Command tool : {Command::ProgrammMenu, Command::RunButton, Command::PauseButton,
                               Command::StopButton, Command::StepButton, Command::SyntaxButton})
        Require(ui.IsEnabled(tool) != recording.Mode, "the program tools do not follow the recording mode");
    for (const Command item : {Command::Aufzstarten, Command::Aufzbeenden, Command::Aufzwiederholen,
                               Command::Aufzladen, Command::Aufzspeichern, Command::Aufzspeichernunter}) {
        Require(!ui.IsEnabled(item) || recording.Mode, "a recording item enabled outside recording mode");
        Require(!ui.IsEnabled(item) || !ui.IsRunning(Timer::Aufz),
                "a recording item enabled during a replay");
    }

    Require(ui.MessageList == session.Syntax.State().Lines, "the message list is not the check's");
    Require(!running || ui.MessageList.empty(), "a run of a program with faults");

    Require(ui.Panel(FilePanel::World) == "Welt: " + session.World.State().FileName,
            "the status bar does not name the world's file");
    const std::string program =
        recording.Mode ? "Aufz.: " + recording.FileName : "Prg.: " + session.Programs.State().FileName;
    Require(ui.Panel(FilePanel::Program) == program, "the status bar does not name the editor's file");
}

// The scripted front end, checking every file the session writes the moment it is written: the
// file holds what it was given, and reads back as the world or the text the session holds then.
class CheckingFrontEnd : public ScriptedFrontEnd {
public:
    std::string SaveFile(const std::string& path, std::string_view bytes) override {
        std::string problem = ScriptedFrontEnd::SaveFile(path, bytes);
        if (problem.empty() && AttachedSession()) CheckWritten(path, bytes);
        return problem;
    }

private:
    void CheckWritten(const std::string& path, std::string_view bytes) {
        const FileRead read = ReadFileStart(path, bytes.size() + 1);
        Require(read.Ok() && read.Bytes == bytes, "a saved file does not hold what was written");
        const WorldState& world = AttachedSession()->World.State();
        const WorldFileBytes stored = EncodeWorldFile(world.Stored);
        if (bytes != std::string_view(reinterpret_cast<const char*>(stored.data()), stored.size())) {
            Require(NormalizeLineBreaks(DecodeWindows1252(read.Bytes)) == EditorText(),
                    "a saved text loads as another than the editor's");
            return;
        }
        // A world is saved as it stands, with the stock the field shows.
        const WorldFileReading reading =
            DecodeWorldFile({reinterpret_cast<const uint8_t*>(read.Bytes.data()), read.Bytes.size()});
        Require(reading.Record.has_value(), "a saved world is refused: " + reading.Problem);
        const WorldRecord& loaded = *reading.Record;
        Require(loaded.Cells == world.Current.Cells && loaded.StartColumn == world.Current.StartColumn &&
                    loaded.StartRow == world.Current.StartRow &&
                    loaded.Orientation == world.Current.Orientation && loaded.Stock == Stock().ReadStock(),
                "a saved world loads as another than the one shown");
    }
};

bool IsUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const auto lead = uint8_t(text[i]);
        const size_t length = lead < 0x80                   ? 1
                              : lead >= 0xC2 && lead < 0xE0 ? 2
                              : lead >= 0xE0 && lead < 0xF0 ? 3
                              : lead >= 0xF0 && lead < 0xF5 ? 4
                                                            : 0;
        if (length == 0 || i + length > text.size()) return false;
        char32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (size_t k = 1; k < length; ++k) {
            const auto next = uint8_t(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) return false;
        i += length;
    }
    return true;
}

// Every text the front end is given is UTF-8.
void CheckTexts(const ScriptedFrontEnd& ui) {
    for (const std::string& line : ui.Log)
        Require(IsUtf8(line), "a text shown that is no UTF-8: " + line);
    for (const std::string& line : ui.MessageList)
        Require(IsUtf8(line), "a message listed that is no UTF-8: " + line);
    for (const FilePanel panel : {FilePanel::World, FilePanel::Program})
        Require(IsUtf8(ui.Panel(panel)), "a status panel that is no UTF-8");
}

void CheckSession(NibboSession& session, ScriptedFrontEnd& ui) {
    CheckTexts(ui);
    CheckWorlds(session, ui);
    CheckTimers(session, ui);
    CheckControls(session, ui);
}

// --- The events ---

struct Pupil {
    NibboSession& Session;
    ScriptedFrontEnd& Ui;
    Script& In;
};

struct Event {
    char Letter;
    // A menu item or a button acts only while it is enabled, and the items of the menu "Programm"
    // only while the menu is; the other events look at the controls they need themselves.
    std::optional<Command> EnabledBy;
    bool InProgramMenu;
    void (*Act)(Pupil&);
};

constexpr std::optional<Command> kAlways;

const Event kEvents[] = {
    // The world view: any button with any modifiers on any cell or none, or Ctrl + left to place
    // the figure.
    {'c', kAlways, false,
     [](Pupil& p) {
         const auto button = EditorButton(p.In.Byte() % 4);
         const unsigned modifiers = p.In.Byte() % 8;
         const int column = p.In.Byte() % (kColumns + 1);
         const int row = p.In.Byte() % (kRows + 1);
         if (p.Ui.IsEnabled(Control::WorldView))
             p.Session.World.FeldEditorDrawGridMouseDown(button, modifiers, column, row);
     }},
    {'s', kAlways, false,
     [](Pupil& p) {
         const int column = p.In.Byte() % (kColumns + 1);
         const int row = p.In.Byte() % (kRows + 1);
         if (p.Ui.IsEnabled(Control::WorldView))
             p.Session.World.FeldEditorDrawGridMouseDown(EditorButton::Left, CtrlKey, column, row);
     }},
    {'k', kAlways, false,
     [](Pupil& p) {
         const int value = p.In.Byte();
         if (p.Ui.IsEnabled(Control::StockField)) p.Ui.StockEdit.WriteStock(value);
     }},
    {'v', kAlways, false, [](Pupil& p) { p.Ui.Speed = p.In.Byte() % 11; }},
    // A key, with the focus in the editor or elsewhere.
    {'K', kAlways, false,
     [](Pupil& p) {
         const char16_t key = p.In.Byte();
         p.Ui.PressKey(key, p.In.Byte() % 2 == 1);
     }},
    // The editor: a selection made with the mouse, then one of the texts typed over it; a pasted
    // text in place of everything; or a few characters of any kind.
    {'t', kAlways, false,
     [](Pupil& p) {
         const int start = p.In.Byte() * 4;
         const int length = p.In.Byte() % 16;
         const std::u16string_view text = kTexts[p.In.Byte() % std::size(kTexts)];
         if (!p.Ui.IsEnabled(Control::Editor)) return;
         p.Ui.SelectInEditor(start, length);
         p.Ui.Type(text);
     }},
    {'P', kAlways, false,
     [](Pupil& p) {
         const std::u16string_view text = kTexts[p.In.Byte() % std::size(kTexts)];
         if (!p.Ui.IsEnabled(Control::Editor)) return;
         p.Ui.SelectInEditor(0, int(p.Ui.EditorText().size() * 2));
         p.Ui.Type(text);
     }},
    {'T', kAlways, false,
     [](Pupil& p) {
         std::u16string typed(p.In.Byte() % 16, u' ');
         for (char16_t& ch : typed) {
             // Mostly Latin-1; now and then from beyond it, from the block of punctuation with the
             // euro sign and the line and paragraph separators, or half a surrogate pair.
             static constexpr char16_t kHigh[] = {0, 0, 0, 0, 0x0100, 0x2000, 0xD800, 0xDC00};
             const char16_t low = p.In.Byte();
             ch = char16_t(kHigh[p.In.Byte() % std::size(kHigh)] | low);
         }
         p.Ui.Type(typed);
     }},
    // The world menu.
    {'Z', kAlways, false, [](Pupil& p) { p.Session.World.AFresetMenuItemClick(); }},
    {'N', kAlways, false, [](Pupil& p) { p.Session.World.NeuAFMenuItemClick(); }},
    {'L', kAlways, false, [](Pupil& p) { p.Session.World.AFladenMenuItemClick(); }},
    {'S', Command::AFspeichern, false, [](Pupil& p) { p.Session.World.AFspeichernMenuItemClick(); }},
    {'U', kAlways, false, [](Pupil& p) { p.Session.World.AFspeichernunterMenuItemClick(); }},
    // The menu "Aufzeichnen".
    {'M', Command::Aufzmodusan, false, [](Pupil& p) { p.Session.Recording.AufzmodusanMenuItemClick(); }},
    {'A', Command::Aufzstarten, false, [](Pupil& p) { p.Session.Recording.AufzstartenMenuItemClick(); }},
    {'B', Command::Aufzbeenden, false, [](Pupil& p) { p.Session.Recording.AufzbeendenMenuItemClick(); }},
    {'W', Command::Aufzwiederholen, false,
     [](Pupil& p) { p.Session.Recording.AufzwiederholenMenuItemClick(); }},
    {'O', Command::Aufzladen, false, [](Pupil& p) { p.Session.Recording.AufzladenMenuItemClick(); }},
    {'Y', Command::Aufzspeichern, false, [](Pupil& p) { p.Session.Recording.AufzspeichernMenuItemClick(); }},
    {'X', Command::Aufzspeichernunter, false,
     [](Pupil& p) { p.Session.Recording.AufzspeichernunterMenuItemClick(); }},
    // The menu "Programm".
    {'n', kAlways, true, [](Pupil& p) { p.Session.Programs.NeuPrgMenuItemClick(); }},
    {'l', kAlways, true, [](Pupil& p) { p.Session.Programs.PrgladenMenuItemClick(); }},
    {'y', Command::Prgspeichern, true, [](Pupil& p) { p.Session.Programs.PrgspeichernMenuItemClick(); }},
    {'x', kAlways, true, [](Pupil& p) { p.Session.Programs.PrgspeichernunterMenuItemClick(); }},
    // The buttons, and "Ende".
    {'R', Command::RunButton, false, [](Pupil& p) { p.Session.Run.RunSpeedButtonClick(); }},
    {'H', Command::PauseButton, false, [](Pupil& p) { p.Session.Run.PauseSpeedButtonClick(); }},
    {'Q', Command::StopButton, false, [](Pupil& p) { p.Session.Run.StopSpeedButtonClick(); }},
    {'J', Command::StepButton, false, [](Pupil& p) { p.Session.Run.StepSpeedButtonClick(); }},
    {'C', Command::SyntaxButton, false, [](Pupil& p) { p.Session.Syntax.SyntaxSpeedButtonClick(); }},
    {'E', kAlways, false, [](Pupil& p) { p.Session.EndeMenuItemClick(); }},
    // Time passing: the next tick, or many; and a repaint asked for by the window system.
    {'i', kAlways, false, [](Pupil& p) { p.Ui.TickNext(); }},
    {'I', kAlways, false, [](Pupil& p) { p.Ui.TickUntilIdle(p.In.Byte() % 64); }},
    {'e', kAlways, false, [](Pupil& p) { p.Session.FormPaint(); }},
};

void Act(const Event& event, Pupil& p) {
    if (event.InProgramMenu && !p.Ui.IsEnabled(Command::ProgrammMenu)) return;
    if (event.EnabledBy && !p.Ui.IsEnabled(*event.EnabledBy)) return;
    event.Act(p);
}

const Event& EventFor(uint8_t byte) {
    for (const Event& event : kEvents)
        if (uint8_t(event.Letter) == byte) return event;
    return kEvents[byte % std::size(kEvents)];
}

// A file dialog's choice: cancelled, or one of the offered files with the dialog's filter or
// another one selected.
std::optional<FileChoice> Choose(Script& in, const Folder& files) {
    const uint8_t byte = in.Byte();
    const size_t count = OfferedFiles().size();
    if (byte % (count + 1) == count) return std::nullopt;
    const std::string name = OfferedFiles()[byte % (count + 1)].Name;
    return FileChoice{(files.Path() / name).string(), int(byte / (count + 1) % 3) - 1};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Folder files;
    static const std::filesystem::path home = std::filesystem::current_path();
    files.Renew();

    Script in(data, size);
    CheckingFrontEnd ui;
    NibboSession session(ui);
    ui.Attach(session);
    session.FormCreate();
    session.FormPaint();
    ui.AnswerUnscripted = [&](const std::string&) { return in.Byte() % 2 == 1; };
    ui.ChooseUnscripted = [&](const FileDialogSpec&) { return Choose(in, files); };
    ui.WhileDialogOpen = [&] {
        for (int ticks = in.Byte() % 4; ticks > 0; --ticks)
            ui.TickNext();
    };
    Pupil pupil{session, ui, in};

    // To follow a finding: NIBBO_SESSION_TRACE=1 fuzz_session FILE prints each event and what it showed.
    static const bool trace = std::getenv("NIBBO_SESSION_TRACE") != nullptr;
    CheckSession(session, ui);
    while (!in.Done() && !ui.Ended) {
        const Event& event = EventFor(in.Byte());
        Act(event, pupil);
        if (trace) {
            std::fprintf(stderr, "%c", event.Letter);
            for (const std::string& line : ui.Log)
                std::fprintf(stderr, "  %s", line.c_str());
            std::fprintf(stderr, "\n");
        }
        CheckSession(session, ui);
        ui.ClearLog();
    }

    std::error_code ignored;
    std::filesystem::current_path(home, ignored);
    return 0;
}
