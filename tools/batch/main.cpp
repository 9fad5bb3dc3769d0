// nibbo-batch BEFEHL [ARGUMENTE]: looks the command up in the table and runs it.
#include "batch.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace nibbo::batch {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"syntax", "PROGRAMM",
         "prüft ein Programm (*.pas) und gibt jede Meldung der Syntax-Überprüfung in einer Zeile aus",
         SyntaxCommand},
        {"run", "[--world WELT] [--max-steps N] [--trace] [--save ERGEBNIS] PROGRAMM",
         "führt ein Programm wie \"Run\" auf einer Welt (*.wlt) aus; Rückgabe 2, wenn eine Aktion "
         "scheitert, 3 bei der Schrittgrenze (Vorgabe 1000000) oder ohne Startfeld",
         RunCommand},
        {"replay", "[--world WELT] [--trace] [--save ERGEBNIS] AUFZEICHNUNG",
         "spielt eine Aufzeichnung (*.afz) ab wie \"Aufzeichnung abspielen\"; Rückgabewert 2, wenn eine Aktion "
         "scheitert, 3 ohne Nibbo",
         ReplayCommand},
    };
    return commands;
}

namespace {

void PrintUsage(std::ostream& out) {
    out << "Aufruf: nibbo-batch BEFEHL [ARGUMENTE]\n\nBefehle:\n";
    for (const Command& command : Commands())
        out << "  " << command.Name << ' ' << command.Synopsis << "\n      " << command.Summary << '\n';
    out << "\nRückgabewert: " << kExitClean << " ohne Meldung, " << kExitFindings << " mit Meldungen, "
        << kExitUsage << " bei falschem Aufruf, " << kExitNoInput << " wenn eine Datei nicht lesbar ist,\n"
        << "65 wenn eine Welt-Datei abgelehnt wird, 73 wenn eine Datei nicht geschrieben werden kann.\n";
}

std::string Reason(int error) {
    switch (error) {
    case ENOENT:
        return "Datei nicht gefunden";
    case EACCES:
    case EPERM:
        return "Zugriff verweigert";
    case EISDIR:
        return "ist ein Ordner";
    default:
        return std::strerror(error);
    }
}

} // namespace

int BadUsage(const Invocation& call) {
    call.Err << "Aufruf: nibbo-batch " << call.Which.Name << ' ' << call.Which.Synopsis << '\n';
    return kExitUsage;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& reason) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        reason = Reason(errno);
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    bool tooLarge = false;
    for (;;) {
        const size_t got = std::fread(buffer, 1, sizeof buffer, file);
        content.append(buffer, got);
        if (got < sizeof buffer) break;
        if (content.size() > kMaxFileSize) {
            tooLarge = true;
            break;
        }
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed || tooLarge) {
        reason = tooLarge ? "Datei zu groß" : Reason(error);
        return std::nullopt;
    }
    return content;
}

int CannotRead(const Invocation& call, const std::string& path, const std::string& reason) {
    call.Err << "nibbo-batch: " << path << ": " << reason << '\n';
    return kExitNoInput;
}

} // namespace nibbo::batch

int main(int argc, char** argv) {
    using namespace nibbo::batch;
    const std::string name = argc > 1 ? argv[1] : "";
    if (name == "-h" || name == "--help" || name == "hilfe") {
        PrintUsage(std::cout);
        return kExitClean;
    }
    for (const Command& command : Commands()) {
        if (command.Name != name) continue;
        const Invocation call{command, std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr};
        const int result = command.Run(call);
        std::cout.flush();
        return result;
    }
    if (!name.empty()) std::cerr << "nibbo-batch: unbekannter Befehl \"" << name << "\"\n\n";
    PrintUsage(std::cerr);
    return kExitUsage;
}
