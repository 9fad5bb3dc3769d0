#include "shell/session.h"

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

} // namespace

std::string ChosenPath(const FileChoice& choice, const FileDialogSpec& spec) {
    std::string path = choice.Path;
    if (spec.Mode == FileDialogSpec::Save && !HasExtension(path)) {
        if (const std::string extension = FilterExtension(spec, choice.SelectedFilter); !extension.empty()) {
            if (!path.empty() && path.back() == '.') path.pop_back();
            path += extension;
        }
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
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

void NibboSession::EndeMenuItemClick() {
    if (World.MayEnd("Nibbos Welt ist noch nicht gespeichert!  Trotzdem Editor verlassen?")) {
        ui_.EndApplication();
        return;
    }
    FormPaint();
}

} // namespace nibbo
