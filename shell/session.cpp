#include "shell/session.h"

#include "shell/file_io.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace nibbo {

namespace {

// The extension a save dialog's filter stands for (".wlt" for "*.wlt"), or "" for none.
std::string FilterExtension(const FileDialogSpec& spec, int filter) {
    if (filter < 0 || filter >= int(spec.Filters.size())) return {};
    const std::string& pattern = spec.Filters[std::size_t(filter)].Pattern;
    const std::size_t dot = pattern.rfind('.');
    if (dot == std::string::npos || pattern.find('*', dot) != std::string::npos) return {};
    return pattern.substr(dot);
}

// Whether the file's name ends in an extension: a dot with something after it.
bool HasExtension(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    const std::size_t dot = name.rfind('.');
    return dot != std::string::npos && dot + 1 < name.size();
}

const char* const kUnknownFileKind =
    "Nibbo öffnet nur Welten (*.wlt), Programme (*.pas) und Aufzeichnungen (*.afz).";
const char* const kProgramInRecordingMode = "Im Aufzeichnungsmodus kann kein Programm geladen werden.";

enum class FileKind { World, Program, Recording, Other };

FileKind KindOf(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (extension == ".wlt") return FileKind::World;
    if (extension == ".pas") return FileKind::Program;
    if (extension == ".afz") return FileKind::Recording;
    return FileKind::Other;
}

} // namespace

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

std::string ChosenPath(const FileChoice& choice, const FileDialogSpec& spec) {
    std::string path = choice.Path;
    if (spec.Mode == FileDialogSpec::Save && !HasExtension(path)) {
        if (const std::string extension = FilterExtension(spec, choice.SelectedFilter); !extension.empty()) {
            if (!path.empty() && path.back() == '.') path.pop_back();
            path += extension;
        }
    }
    return AbsolutePath(path);
}

NibboSession::NibboSession(FrontEnd& ui)
    : World(*this, ui), Syntax(*this, ui), Run(*this, ui), Recording(*this, ui), Programs(*this, ui),
      ui_(ui) {
}

void NibboSession::FormCreate() {
    World.Create();
    Programs.Create();
    World.StoreCreated();
    Run.Create();
    Recording.Create();
    // The editor's first text is no change of the program.
    Programs.MarkUnchanged();
}

void NibboSession::FormPaint() {
    World.Paint();
}

void NibboSession::OpenFiles(const std::vector<std::string>& names) {
    // All are made absolute first: each file, like a dialog's choice, makes its folder the working
    // folder, which would move the names that follow.
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(AbsolutePath(name));
    for (const std::string& path : paths) {
        const FileKind kind = KindOf(path);
        if (kind == FileKind::Other) {
            ui_.ShowError(FileMessage(path, kUnknownFileKind));
            continue;
        }
        if (kind == FileKind::Program && Recording.State().Mode) {
            ui_.ShowError(FileMessage(path, kProgramInRecordingMode));
            continue;
        }
        std::error_code ignored;
        std::filesystem::current_path(std::filesystem::path(path).parent_path(), ignored);
        bool loaded = false;
        if (kind == FileKind::World) {
            loaded = World.LoadWorldFile(path);
        } else if (kind == FileKind::Program) {
            loaded = Programs.LoadProgramFile(path);
        } else {
            if (!Recording.State().Mode) Recording.AufzmodusanMenuItemClick();
            loaded = Recording.State().Mode && Recording.LoadRecordingFile(path);
        }
        if (loaded) FormPaint();
    }
}

void NibboSession::EndeMenuItemClick() {
    if (World.MayEnd("Nibbos Welt ist noch nicht gespeichert!  Trotzdem Editor verlassen?")) {
        ui_.EndApplication();
        return;
    }
    FormPaint();
}

} // namespace nibbo
