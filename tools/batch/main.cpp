// nibbo-batch BEFEHL [ARGUMENTE]: looks the command up in the table and runs it.
#include "batch.h"

#include "shell/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace nibbo::batch {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"syntax", "PROGRAMM",
         "prüft ein Programm (*.pas) und gibt jede Meldung der Syntax-Überprüfung in einer Zeile aus",
         "Prüft ein Programm (*.pas) wie der Knopf \"Syntax-Überprüfung\" und gibt jede Meldung in\n"
         "einer Zeile aus, genau wie Nibbo sie auflistet, zum Beispiel: 3: \";\" erwartet!\n"
         "\n"
         "Rückgabewert: 0 ohne Meldung, 1 mit Meldungen, 64 bei falschem Aufruf, 66 wenn die Datei\n"
         "nicht lesbar ist.\n",
         SyntaxCommand},
        {"run",
         "[--world WELT] [--goal ZIEL] [--max-steps N] [--max-seconds N] [--trace] [--save ERGEBNIS] "
         "[--report BERICHT] PROGRAMM...\n"
         "--aufgabe ORDNER [--max-steps N] [--max-seconds N] [--trace] [--report BERICHT] PROGRAMM...",
         "führt Programme wie \"Run\" auf einer Welt (*.wlt) oder auf allen Welten einer Aufgabe aus; "
         "Rückgabe 2, wenn eine Aktion scheitert, 3 bei der Schrittgrenze (Vorgabe 1000000), der Zeitgrenze "
         "(Vorgabe 10 Sekunden) oder ohne Startfeld, 4 wenn die Zielwelt nicht erreicht ist",
         "Führt ein Programm (*.pas) wie \"Run\" aus, ohne Pausen, bis es endet, eine Aktion scheitert\n"
         "oder die Schritt- oder Zeitgrenze erreicht ist. Die letzte Zeile ist \"Programm beendet!\", die\n"
         "Meldung der gescheiterten Aktion, \"Schrittgrenze erreicht!\" oder \"Zeitgrenze erreicht!\";\n"
         "Meldungen der Syntax-Überprüfung stehen wie bei \"syntax\" da, ohne Startfeld \"Kein Startfeld\n"
         "vorhanden!\".\n"
         "\n"
         "Mehrere Programme laufen nacheinander, jedes auf der frisch geladenen Welt, jedes nach einer\n"
         "Kopfzeile \"==> PROGRAMM <==\" (ab dem zweiten mit einer Leerzeile davor). Ein einzelnes\n"
         "Programm bekommt keine Kopfzeile.\n"
         "\n"
         "Mit --aufgabe läuft jedes Programm auf jeder Welt eines Aufgabenordners, jede frisch geladen\n"
         "und mit ihrer Zielwelt verglichen: welt.wlt mit ziel.wlt oder welt-1.wlt mit ziel-1.wlt,\n"
         "welt-2.wlt mit ziel-2.wlt und so fort, in der Reihenfolge der Zahlen (welt-2 vor welt-10).\n"
         "Die Syntax-Überprüfung läuft einmal je Programm. Vor den Zeilen jeder Welt steht eine Zeile\n"
         "\"--- welt-1.wlt ---\", nach der letzten Welt \"Gelöst in n von m Welten.\". Gelöst hat ein\n"
         "Programm die Aufgabe nur, wenn es jede ihrer Welten löst.\n"
         "\n"
         "Optionen:\n"
         "  --world WELT       die Welt (*.wlt), wie \"Welt laden\" sie lädt; ohne sie die leere Welt,\n"
         "                     die keinen Nibbo hat\n"
         "  --goal ZIEL        vergleicht die Welt nach dem Lauf mit der Zielwelt (jedes Feld, Feld und\n"
         "                     Blickrichtung von Nibbo, Vorrat): \"Aufgabe gelöst!\" oder \"Aufgabe nicht\n"
         "                     gelöst!\" mit den ersten zehn Unterschieden; gelöst nur, wenn das\n"
         "                     Programm bis \"end.\" gelaufen ist. Mehrere Programme enden mit\n"
         "                     \"Gelöst: n von m Programmen.\"\n"
         "  --aufgabe ORDNER   ein Aufgabenordner: seine Welten mit ihren Zielwelten an Stelle von\n"
         "                     --world und --goal (nicht zusammen mit --world, --goal oder --save)\n"
         "  --max-steps N      die Schrittgrenze (Vorgabe 1000000)\n"
         "  --max-seconds N    die Zeitgrenze in Sekunden für jedes Programm, mit --aufgabe für jede\n"
         "                     Welt (Vorgabe 10; 0: keine). Wo sie greift, hängt das Ergebnis von der\n"
         "                     Geschwindigkeit des Rechners ab.\n"
         "  --trace            eine Zeile je Schritt: Nummer, executed, finished, failed oder silent,\n"
         "                     SelStart und SelLength der zuletzt geholten Anweisung\n"
         "  --save ERGEBNIS    speichert die Welt danach wie \"Welt speichern\" (nur mit einem Programm)\n"
         "  --report BERICHT   schreibt einen Bericht als HTML-Seite zum Ansehen und Drucken: die Welt\n"
         "                     und die Zielwelt als Bilder (mit --aufgabe: jede Welt neben ihrer\n"
         "                     Zielwelt), \"Gelöst: n von m Programmen.\", dann je Programm eine Seite\n"
         "                     mit seinem Ergebnis, Rückgabewert, den Schritten, den Meldungen und der\n"
         "                     Welt nach dem Lauf neben der Zielwelt (mit --aufgabe: für jede Welt),\n"
         "                     jedes abweichende Feld auf beiden Bildern markiert\n"
         "\n"
         "Rückgabewert: 0 Programm beendet (mit --goal oder --aufgabe: und Aufgabe gelöst), 1 Meldungen\n"
         "der Syntax-Überprüfung, 2 eine Aktion ist gescheitert, 3 Schritt- oder Zeitgrenze oder kein\n"
         "Startfeld, 4 Programm beendet, aber Zielwelt nicht erreicht; 64 falscher Aufruf, 65\n"
         "abgelehnte Welt-Datei, 66 Datei nicht lesbar (mit --aufgabe auch: der Ordner hat keine Welt,\n"
         "einer Welt fehlt ihre Zielwelt oder einer Zielwelt ihre Welt; dann läuft kein Programm), 73\n"
         "Datei (auch der Bericht) nicht schreibbar, 74 Ausgabe nicht schreibbar. Mit mehreren\n"
         "Programmen oder Welten gilt der größte Rückgabewert der einzelnen Läufe.\n",
         RunCommand},
        {"replay",
         "[--world WELT] [--trace] [--save ERGEBNIS] [--report BERICHT] AUFZEICHNUNG\n"
         "[--world WELT] --goal ZIEL [--trace] [--save ERGEBNIS] [--report BERICHT] AUFZEICHNUNG\n"
         "--aufgabe ORDNER [--trace] [--report BERICHT] AUFZEICHNUNG",
         "spielt eine Aufzeichnung (*.afz) ab wie \"Aufzeichnung abspielen\", auf einer Welt oder auf allen "
         "Welten einer Aufgabe; Rückgabewert 2, wenn eine Aktion scheitert, 3 ohne Nibbo, 4 wenn die "
         "Zielwelt nicht erreicht ist",
         "Spielt eine Aufzeichnung (*.afz) ab wie \"Aufzeichnung abspielen\", eine Anweisung nach der\n"
         "anderen, bis zu ihrem \"end;\", bis eine Aktion scheitert oder bis zu einem Fehler im\n"
         "Aufzeichnungsformat. Die letzte Zeile ist die Meldung, die das Abspielen beendet hat, falls es\n"
         "eine gibt.\n"
         "\n"
         "Optionen:\n"
         "  --world WELT       die Welt (*.wlt), wie \"Welt laden\" sie lädt; ohne sie die leere Welt,\n"
         "                     die keinen Nibbo hat\n"
         "  --goal ZIEL        vergleicht die Welt danach mit der Zielwelt wie \"run --goal\"; gelöst\n"
         "                     nur, wenn die Aufzeichnung bis zu ihrem \"end;\" abgespielt ist\n"
         "  --aufgabe ORDNER   spielt die Aufzeichnung auf jeder Welt eines Aufgabenordners ab und\n"
         "                     vergleicht jede mit ihrer Zielwelt, wie \"run --aufgabe\" (nicht\n"
         "                     zusammen mit --world, --goal oder --save)\n"
         "  --trace            eine Zeile je Anweisung: ihre Nummer, das Wort und seine Stelle im Text\n"
         "  --save ERGEBNIS    speichert die Welt danach wie \"Welt speichern\"\n"
         "  --report BERICHT   schreibt einen Bericht als HTML-Seite: die Welt als Bild (mit --goal\n"
         "                     oder --aufgabe: neben der Zielwelt), dann das Ergebnis, den\n"
         "                     Rückgabewert, die Zahl der Anweisungen und die Welt nach dem Abspielen\n"
         "                     (mit --aufgabe: für jede Welt)\n"
         "\n"
         "Rückgabewert: 0 bis zum \"end;\" abgespielt (mit --goal oder --aufgabe: und Aufgabe gelöst),\n"
         "1 keine Aufzeichnung oder ein Fehler im Aufzeichnungsformat, 2 eine Aktion ist gescheitert, 3\n"
         "die Welt hat keinen Nibbo, 4 abgespielt, aber Zielwelt nicht erreicht; 64 falscher Aufruf, 65\n"
         "abgelehnte Welt-Datei, 66 Datei nicht lesbar (mit --aufgabe auch: eine fehlende Welt oder\n"
         "Zielwelt, wie bei \"run\"), 73 Datei (auch der Bericht) nicht schreibbar, 74 Ausgabe nicht\n"
         "schreibbar. Mit --aufgabe gilt der größte Rückgabewert der einzelnen Welten.\n",
         ReplayCommand},
        {"render", "[--scale N] WELT BILD",
         "zeichnet eine Welt (*.wlt) als Bild (*.png oder *.svg), genau wie die Weltansicht sie zeigt",
         "Zeichnet eine Welt (*.wlt), wie \"Welt laden\" sie lädt, genau so, wie die Weltansicht sie\n"
         "zeigt: das Gitter, die Mauern, das Futter und Nibbo auf seinem Feld in seiner Blickrichtung,\n"
         "für ein Arbeitsblatt. Die Endung von BILD bestimmt die Art: .png oder .svg. Ein SVG-Bild\n"
         "besteht aus Formen und wird in jeder Größe scharf gedruckt.\n"
         "\n"
         "Optionen:\n"
         "  --scale N          nur für PNG: N Bildpunkte für jeden Bildpunkt der Weltansicht, 1 bis 8\n"
         "                     (Vorgabe 2, scharf im Druck); 1 gibt genau die Bildpunkte des Fensters\n"
         "\n"
         "Rückgabewert: 0 Bild geschrieben; 64 falscher Aufruf (auch eine andere Endung als .png oder\n"
         ".svg), 65 abgelehnte Welt-Datei, 66 Datei nicht lesbar, 73 Bild nicht schreibbar.\n",
         RenderCommand},
        {"thumbnail", "[--size N] WELT BILD",
         "zeichnet eine Welt (*.wlt) als kleines PNG-Bild für die Vorschau im Dateimanager",
         "Zeichnet eine Welt (*.wlt) wie \"render\" als PNG-Bild, eingepasst in N x N Bildpunkte: die\n"
         "längere Seite ist N Bildpunkte lang. So zeigt ein Dateimanager Welten als Vorschaubilder;\n"
         "das installierte Paket meldet den Befehl dafür an.\n"
         "\n"
         "Optionen:\n"
         "  --size N           die Größe, 1 bis 1024 (Vorgabe 256)\n"
         "\n"
         "Rückgabewert: 0 Bild geschrieben; 64 falscher Aufruf, 65 abgelehnte Welt-Datei, 66 Datei\n"
         "nicht lesbar, 73 Bild nicht schreibbar.\n",
         ThumbnailCommand},
        {"aufgaben", "[--loesungen] ORDNER HEFT",
         "schreibt Aufgaben (Ordner mit aufgabe.md und ihren Welten) als Heft zum Drucken in eine HTML-Seite",
         "Schreibt die Aufgaben einer Sammlung als Heft zum Drucken: eine einzige HTML-Seite, die jeder\n"
         "Browser zeigt und druckt; die Bilder stehen in der Datei selbst. ORDNER ist die Sammlung (jeder\n"
         "Ordner darin mit einer Datei aufgabe.md ist eine Aufgabe; sie folgen nach ihren Namen, \"2-...\"\n"
         "vor \"10-...\") oder eine einzelne Aufgabe, ein Ordner mit aufgabe.md.\n"
         "\n"
         "Die erste Seite heißt \"Nibbos Aufgaben\" und nennt jede Aufgabe mit Nummer, Titel und Thema\n"
         "(der Zeile *Thema: ...* unter dem Titel). Dann hat jede Aufgabe eine Seite: \"Aufgabe N: Titel\"\n"
         "(N ist die Zahl, mit der der Name ihres Ordners beginnt, sonst ihre Stelle im Heft) und ihr\n"
         "Text. Jedes Bild ![Text](NAME.svg) wird aus der Welt oder Zielwelt NAME.wlt der Aufgabe\n"
         "gezeichnet, wie \"render\" sie zeichnet, mit dem Text darunter; Bilder in einer Zeile stehen\n"
         "nebeneinander. Darunter steht, welche Welten die Schülerinnen und Schüler laden, etwa \"Welten:\n"
         "welt-1.wlt, welt-2.wlt\" (jede welt*.wlt, in der Reihenfolge von \"run --aufgabe\").\n"
         "\n"
         "Optionen:\n"
         "  --loesungen        das Heft für die Lehrkraft: nach jeder Aufgabe ihre Lösung, loesung.pas\n"
         "                     und loesung.afz als Text, und die Namen ihrer Zielwelten\n"
         "\n"
         "Rückgabewert: 0 Heft geschrieben; 64 falscher Aufruf, 65 ein Bild, das keine Welt der Aufgabe\n"
         "zeigt, oder eine abgelehnte Welt-Datei, 66 eine Datei oder ein Ordner nicht lesbar oder keine\n"
         "Aufgabe im Ordner, 73 Heft nicht schreibbar. Dann entsteht kein Heft.\n",
         BookletCommand},
    };
    return commands;
}

namespace {

constexpr std::string_view kUsage = "Aufruf: nibbo-batch ";
constexpr std::string_view kUsageToo = "  oder: nibbo-batch ";

// Every form of the command's call, one a line: the first after first, the others after next.
void PrintForms(std::ostream& out, const Command& command, std::string_view first, std::string_view next) {
    std::string_view forms = command.Synopsis;
    for (std::string_view lead = first; !forms.empty(); lead = next) {
        const size_t end = std::min(forms.find('\n'), forms.size());
        out << lead << command.Name << ' ' << forms.substr(0, end) << '\n';
        forms.remove_prefix(std::min(end + 1, forms.size()));
    }
}

void PrintUsage(std::ostream& out) {
    out << "Aufruf: nibbo-batch BEFEHL [ARGUMENTE]\n\nBefehle:\n";
    for (const Command& command : Commands()) {
        PrintForms(out, command, "  ", "  ");
        out << "      " << command.Summary << '\n';
    }
    out << "\nRückgabewert: " << kExitClean << " ohne Meldung, " << kExitFindings << " mit Meldungen, "
        << kExitUsage << " bei falschem Aufruf, " << kExitNoInput << " wenn eine Datei nicht lesbar ist,\n"
        << "65 wenn eine Welt-Datei abgelehnt wird, 73 wenn eine Datei nicht geschrieben werden kann,\n"
        << kExitOutputFailed << " wenn die Ausgabe nicht geschrieben werden kann.\n"
        << "\"nibbo-batch BEFEHL --help\" zeigt die Hilfe zu einem Befehl, \"man nibbo-batch\" die ganze\n"
        << "Beschreibung.\n";
}

void PrintHelp(std::ostream& out, const Command& command) {
    PrintForms(out, command, kUsage, kUsageToo);
    out << '\n' << command.Help;
}

bool IsHelp(std::string_view word) {
    return word == "-h" || word == "--help";
}

const Command* FindCommand(std::string_view name) {
    for (const Command& command : Commands())
        if (command.Name == name) return &command;
    return nullptr;
}

// A command's own help: "--help" or "-h" among its words, before a "--" that ends the options.
bool AsksForHelp(const std::vector<std::string>& arguments) {
    for (const std::string& word : arguments) {
        if (word == "--") return false;
        if (IsHelp(word)) return true;
    }
    return false;
}

} // namespace

int BadUsage(const Invocation& call) {
    PrintForms(call.Err, call.Which, kUsage, kUsageToo);
    return kExitUsage;
}

int CannotRead(const Invocation& call, const std::string& path, const std::string& problem) {
    call.Err << "nibbo-batch: " << path << ": " << problem << '\n';
    return kExitNoInput;
}

std::optional<std::string> ReadTextInput(const Invocation& call, const std::string& path) {
    FileRead read = ReadTextFileBytes(path);
    if (!read.Ok()) {
        CannotRead(call, path, read.Problem);
        return std::nullopt;
    }
    return std::move(read.Bytes);
}

namespace {

int Main(int argc, char** argv) {
    const std::string name = argc > 1 ? argv[1] : "";
    const std::vector<std::string> arguments(argv + std::min(argc, 2), argv + argc);
    if (IsHelp(name) || name == "help" || name == "hilfe") {
        if (arguments.empty()) {
            PrintUsage(std::cout);
            return kExitClean;
        }
        if (const Command* command = FindCommand(arguments[0]); command && arguments.size() == 1) {
            PrintHelp(std::cout, *command);
            return kExitClean;
        }
        std::cerr << "nibbo-batch: unbekannter Befehl \"" << arguments[0] << "\"\n\n";
        PrintUsage(std::cerr);
        return kExitUsage;
    }
    if (const Command* command = FindCommand(name)) {
        if (AsksForHelp(arguments)) {
            PrintHelp(std::cout, *command);
            return kExitClean;
        }
        const Invocation call{*command, arguments, std::cout, std::cerr};
        return command->Run(call);
    }
    if (!name.empty()) std::cerr << "nibbo-batch: unbekannter Befehl \"" << name << "\"\n\n";
    PrintUsage(std::cerr);
    return kExitUsage;
}

} // namespace

} // namespace nibbo::batch

int main(int argc, char** argv) {
    using namespace nibbo::batch;
    const int result = Main(argc, argv);
    // A teacher's script must not take a report that never reached its file for a clean run.
    errno = 0;
    if (!std::cout.flush()) {
        const int error = errno;
        std::cerr << "nibbo-batch: Die Ausgabe kann nicht geschrieben werden. "
                  << (error ? nibbo::ReasonFor(error) : std::string()) << '\n';
        return kExitOutputFailed;
    }
    return result;
}
