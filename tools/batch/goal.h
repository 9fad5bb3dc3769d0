// A goal world for a task: after a run, the world is compared with it cell by cell, together with
// the figure's cell and facing and the stock it carries. The differences are named in German, in
// the order a teacher reads them: the figure first, then the stock, then the cells row by row.
#pragma once

#include "world/world.h"

#include <string>
#include <vector>

namespace nibbo::batch {

// Every difference between the world (with the stock the figure carries) and the goal, one German
// sentence each; none when the world is the goal.
std::vector<std::string> GoalDifferences(const World& world, int stock, const WorldRecord& goal);

} // namespace nibbo::batch
