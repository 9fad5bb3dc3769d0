#include "shell/window_layout.h"

#include "shell/session.h"
#include "world/world_paint.h"

namespace nibbo {

const char* const kInitialProgram = "{\n"
                                    "  Nibbo - Programmieren lernen mit Nibbo\n"
                                    "  Version 1.0, Dezember 2026\n"
                                    "  Das Nibbo-Team, für den Informatikunterricht\n"
                                    "}\n"
                                    "\n"
                                    "\n"
                                    "\n"
                                    "\n";

const char* const kStatusBanner = "Nibbo 1.0 – Dezember 2026";

const std::array<LegendEntry, 4>& Legend() {
    static const std::array<LegendEntry, 4> legend{{
        {LegendPicture::Start,
         8,
         8,
         {"Startposition / Orientierung", 40, 8},
         {"Strg + linke Maustaste", 40, 24}},
        {LegendPicture::Wall, 8, 48, {"Mauer", 40, 48}, {"linke Maustaste", 40, 64}},
        {LegendPicture::Path, 192, 8, {"Weg", 232, 8}, {"rechte Maustaste", 232, 24}},
        {LegendPicture::Food, 192, 48, {"Futter", 232, 44}, {"Shift + linke/rechte Maustaste", 232, 60}},
    }};
    return legend;
}

pictures::Picture LegendPictureShapes(LegendPicture picture) {
    switch (picture) {
    case LegendPicture::Start:
        return pictures::FigurePicture(East, kRestingFrame);
    case LegendPicture::Wall:
        return pictures::WallPicture();
    case LegendPicture::Path:
        break;
    case LegendPicture::Food:
        return pictures::FoodPicture(5);
    }
    return {};
}

const std::array<RunButton, 5>& RunButtons() {
    static const std::array<RunButton, 5> buttons{{
        {Command::RunButton, pictures::Button::Run, "Run", 472},
        {Command::PauseButton, pictures::Button::Pause, "Pause / Weiter", 504},
        {Command::StopButton, pictures::Button::Stop, "Stopp", 536},
        {Command::StepButton, pictures::Button::Step, "Einzelschritt", 568},
        {Command::SyntaxButton, pictures::Button::Syntax, "Syntax-Überprüfung", 608},
    }};
    return buttons;
}

void PressButton(NibboSession& session, Command which) {
    switch (which) {
    case Command::RunButton:
        return session.Run.RunSpeedButtonClick();
    case Command::PauseButton:
        return session.Run.PauseSpeedButtonClick();
    case Command::StopButton:
        return session.Run.StopSpeedButtonClick();
    case Command::StepButton:
        return session.Run.StepSpeedButtonClick();
    case Command::SyntaxButton:
        return session.Syntax.SyntaxSpeedButtonClick();
    default:
        return;
    }
}

const std::vector<MenuBarEntry>& MenuBar() {
    using M = MenuCommand;
    static const std::vector<MenuBarEntry> bar{
        {"Info", std::nullopt, M::Info, {}},
        {"Nibbos Welt",
         std::nullopt,
         std::nullopt,
         {
             {M::AFreset, "Welt zurücksetzen", std::nullopt, true, "Ctrl+Z"},
             {M::NeuAF, "neue Welt", std::nullopt, true, nullptr},
             {M::AFladen, "Welt laden", std::nullopt, true, nullptr},
             {M::AFspeichern, "Welt speichern", Command::AFspeichern, false, nullptr},
             {M::AFspeichernunter, "Welt speichern unter ...", std::nullopt, true, nullptr},
         }},
        {"Aufzeichnen",
         std::nullopt,
         std::nullopt,
         {
             // Its caption says whether recording mode is on: the session sets it.
             {M::Aufzmodusan, "", Command::Aufzmodusan, true, nullptr},
             {M::Aufzstarten, "Aufzeichnung starten", Command::Aufzstarten, false, nullptr},
             {M::Aufzbeenden, "Aufzeichnung beenden", Command::Aufzbeenden, false, nullptr},
             {M::Aufzwiederholen, "Aufzeichnung abspielen", Command::Aufzwiederholen, false, nullptr},
             {M::Aufzladen, "Aufzeichnung laden", Command::Aufzladen, false, nullptr},
             {M::Aufzspeichern, "Aufzeichnung speichern", Command::Aufzspeichern, false, nullptr},
             {M::Aufzspeichernunter, "Aufz. speichern unter ...", Command::Aufzspeichernunter, false,
              nullptr},
         }},
        {"Programm",
         Command::ProgrammMenu,
         std::nullopt,
         {
             {M::NeuPrg, "neues Programm", std::nullopt, true, nullptr},
             {M::Prgladen, "Programm laden", std::nullopt, true, nullptr},
             {M::Prgspeichern, "Programm speichern", Command::Prgspeichern, false, nullptr},
             {M::Prgspeichernunter, "Prg speichern unter ...", std::nullopt, true, nullptr},
         }},
        {"Hilfe", std::nullopt, M::Hilfe, {}},
        {"Ende", std::nullopt, M::Ende, {}},
    };
    return bar;
}

bool PerformMenuCommand(NibboSession& session, MenuCommand which) {
    switch (which) {
    case MenuCommand::Info:
    case MenuCommand::Hilfe:
        return false;
    case MenuCommand::AFreset:
        session.World.AFresetMenuItemClick();
        break;
    case MenuCommand::NeuAF:
        session.World.NeuAFMenuItemClick();
        break;
    case MenuCommand::AFladen:
        session.World.AFladenMenuItemClick();
        break;
    case MenuCommand::AFspeichern:
        session.World.AFspeichernMenuItemClick();
        break;
    case MenuCommand::AFspeichernunter:
        session.World.AFspeichernunterMenuItemClick();
        break;
    case MenuCommand::Aufzmodusan:
        session.Recording.AufzmodusanMenuItemClick();
        break;
    case MenuCommand::Aufzstarten:
        session.Recording.AufzstartenMenuItemClick();
        break;
    case MenuCommand::Aufzbeenden:
        session.Recording.AufzbeendenMenuItemClick();
        break;
    case MenuCommand::Aufzwiederholen:
        session.Recording.AufzwiederholenMenuItemClick();
        break;
    case MenuCommand::Aufzladen:
        session.Recording.AufzladenMenuItemClick();
        break;
    case MenuCommand::Aufzspeichern:
        session.Recording.AufzspeichernMenuItemClick();
        break;
    case MenuCommand::Aufzspeichernunter:
        session.Recording.AufzspeichernunterMenuItemClick();
        break;
    case MenuCommand::NeuPrg:
        session.Programs.NeuPrgMenuItemClick();
        break;
    case MenuCommand::Prgladen:
        session.Programs.PrgladenMenuItemClick();
        break;
    case MenuCommand::Prgspeichern:
        session.Programs.PrgspeichernMenuItemClick();
        break;
    case MenuCommand::Prgspeichernunter:
        session.Programs.PrgspeichernunterMenuItemClick();
        break;
    case MenuCommand::Ende:
        session.EndeMenuItemClick();
        break;
    }
    return true;
}

} // namespace nibbo
