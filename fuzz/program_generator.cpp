#include "program_generator.h"

#include "language/vocabulary.h"

namespace nibbo::fuzz {

namespace {

class Generator {
public:
    explicit Generator(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    std::string Program() {
        procedures_ = Next(4);
        text_ = "program erzeugt;\r\n";
        for (int p = 1; p <= procedures_; ++p) {
            text_ += "procedure p" + std::to_string(p) + ";\r\n";
            Block(p, "end;");
        }
        Block(procedures_, "end.");
        return text_;
    }

private:
    // The next byte modulo `range`; 0 once the bytes are used up, which ends every list.
    int Next(int range) { return at_ < bytes_.size() ? bytes_[at_++] % range : 0; }

    void Indent() { text_.append(size_t(2 * depth_), ' '); }

    // "begin", a statement list in which `callable` procedures can be called, and `closing`.
    void Block(int callable, const char* closing) {
        Indent();
        text_ += "begin\r\n";
        List(callable);
        Indent();
        text_ += closing;
        text_ += "\r\n";
    }

    void List(int callable) {
        ++depth_;
        for (int count = Next(5); count > 0; --count) {
            Indent();
            Statement(callable);
            text_ += ";\r\n";
        }
        --depth_;
    }

    // A body: a single action, or a statement list in begin ... end (never a bare compound
    // statement, so that an else always belongs to the if it was written for).
    void Body(int callable) {
        if (depth_ >= 6 || Next(3) == 0) {
            text_ += Action();
            return;
        }
        text_ += "\r\n";
        Block(callable, "end");
        Indent();
    }

    std::string Action() {
        constexpr std::span<const VocabularyWord> kInstructions = WordsOf(WordKind::Instruction);
        return std::string(kInstructions[Next(int(kInstructions.size()))].Text);
    }

    void Statement(int callable) {
        const int kind = depth_ >= 6 ? 0 : Next(8);
        switch (kind) {
        case 0:
        case 1:
            text_ += Action();
            break;
        case 2:
            if (callable > 0) {
                text_ += "P" + std::to_string(1 + Next(callable)); // capitals call the same name
                break;
            }
            text_ += Action();
            break;
        case 3:
        case 4:
            text_ += "if " + Condition(0) + " then ";
            Body(callable);
            if (Next(2) == 1) {
                text_ += " else ";
                Body(callable);
            }
            break;
        case 5:
        case 6:
            text_ += "while " + Condition(0) + " do ";
            Body(callable);
            break;
        default:
            text_ += "repeat\r\n";
            List(callable);
            Indent();
            text_ += "until " + Condition(0);
            break;
        }
    }

    std::string Condition(int depth) {
        const int kind = depth >= 4 ? 0 : Next(6);
        switch (kind) {
        case 1:
            return "not " + Condition(depth + 1);
        case 2:
            return "not(" + Condition(depth + 1) + ")";
        case 3:
            return "(" + Condition(depth + 1) + ")";
        case 4:
            return Condition(depth + 1) + " and " + Condition(depth + 1);
        case 5:
            return Condition(depth + 1) + " or " + Condition(depth + 1);
        default:
            return std::string(Spelling(TFunktion(vorne_frei + Next(ostwaerts))));
        }
    }

    std::span<const uint8_t> bytes_;
    size_t at_ = 0;
    int procedures_ = 0;
    int depth_ = 0;
    std::string text_;
};

} // namespace

std::string GenerateProgram(std::span<const uint8_t> bytes) {
    return Generator(bytes).Program();
}

} // namespace nibbo::fuzz
