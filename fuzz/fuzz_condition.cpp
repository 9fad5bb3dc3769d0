// The condition compiler alone, on any text: it reports only its two faults, headed by the line it
// was given; an empty text gives the single marker of a missing condition; a condition that
// compiled without a fault is well formed, written out again it compiles to the same tokens, and
// the engine gives it the value that the precedence of the language gives it, on worlds that set
// the sensors in different ways.
#include "invariants.h"

#include "execution/engine.h"
#include "language/condition.h"
#include "language/messages.h"
#include "language/vocabulary.h"

#include <algorithm>

using namespace nibbo;
using nibbo::fuzz::Require;

namespace {

constexpr int32_t kLine = 7;

bool IsBlankText(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char ch) { return static_cast<unsigned char>(ch) <= 32; });
}

// The tokens as a pupil would write them, one blank between two.
std::string Written(const TBooleexp& condition) {
    std::string text;
    for (const TFunktion token : condition) {
        if (!text.empty()) text += ' ';
        text += Spelling(token);
    }
    return text;
}

// Worlds around one figure: facing each way, walls on some sides, food or none under it, a full
// cell, with and without stock.
struct SensorWorld {
    World world;
    PlainStockField stock;
};

std::vector<SensorWorld> SensorWorlds() {
    std::vector<SensorWorld> worlds(8);
    for (size_t i = 0; i < worlds.size(); ++i) {
        World& world = worlds[i].world;
        ClearWorld(world);
        world.StartPlaced = true;
        world.StartColumn = 5;
        world.StartRow = 5;
        world.Orientation = uint8_t(i % 4);
        SetCell(world, 6, 5, i % 3 == 0 ? kWall : kFreePath);
        SetCell(world, 5, 4, i % 2 == 0 ? kWall : kFreePath);
        SetCell(world, 4, 5, i >= 4 ? kWall : kFreePath);
        SetCell(world, 5, 5, int32_t(i * 3 % 10));
        worlds[i].stock.WriteStock(int(i % 3));
    }
    return worlds;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> messages;
    const TBooleexp condition = CompileCondition(text, kLine, messages);

    Require(!condition.empty(), "no tokens at all, not even the marker");
    Require(messages.size() <= 2, "more than two messages for one condition");
    for (const std::string& message : messages)
        Require(message == MessageLine(kLine, CheckMessage::ConditionError) ||
                    message == MessageLine(kLine, CheckMessage::ParenthesisError),
                "unexpected message: " + message);
    if (IsBlankText(text)) {
        Require(messages.empty() && condition == TBooleexp{fufehler},
                "an empty condition is only the marker");
        return 0;
    }
    if (!messages.empty()) return 0;

    Require(fuzz::IsWellFormedCondition(condition), "accepted condition is not well formed");
    std::vector<std::string> again;
    Require(CompileCondition(Written(condition), kLine, again) == condition && again.empty(),
            "the condition written out again compiles differently");

    static const std::vector<SensorWorld> worlds = SensorWorlds();
    for (const SensorWorld& w : worlds) {
        const auto sensor = [&](TFunktion f) { return EvaluateSensor(f, w.world, w.stock); };
        Require(EvaluateCondition(condition, w.world, w.stock) == fuzz::ReferenceValue(condition, sensor),
                "the engine evaluates the condition against the precedence of the language");
    }
    return 0;
}
