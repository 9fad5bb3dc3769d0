// A canvas that records what the core draws, one entry per picture: "fill c r", "wall c r",
// "food c r n" and "figure c r image".
#pragma once

#include "world/world_paint.h"

#include <QStringList>
#include <string>
#include <vector>

namespace nibbo::testing {

struct RecordingCanvas : WorldCanvas {
    std::vector<std::string> Calls;

    // The calls so far as a list that QCOMPARE prints in full when it differs; clears them.
    QStringList Take() {
        QStringList list;
        for (const std::string& call : Calls)
            list << QString::fromStdString(call);
        Calls.clear();
        return list;
    }

    void FillPath(int c, int r) override { Add("fill", c, r); }
    void DrawWallPicture(int c, int r) override { Add("wall", c, r); }
    void DrawFoodPicture(int c, int r, int n) override { Add("food", c, r, std::to_string(n)); }
    void DrawFigurePicture(int c, int r, int image) override { Add("figure", c, r, std::to_string(image)); }

private:
    void Add(const char* what, int c, int r, const std::string& extra = {}) {
        std::string call = std::string(what) + " " + std::to_string(c) + " " + std::to_string(r);
        if (!extra.empty()) call += " " + extra;
        Calls.push_back(call);
    }
};

} // namespace nibbo::testing
