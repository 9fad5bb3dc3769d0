// Runs nibbo-batch as a process for the tests of its commands, and the small task those tests give
// it. The test target defines NIBBO_BATCH as the path of the built tool (see nibbo_batch_test in
// tests/CMakeLists.txt).
#pragma once

#include "world/world_file.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>

namespace nibbo::testing {

struct BatchResult {
    int ExitCode = -1; // -1 when the tool did not end normally within two minutes
    QByteArray Out;
    QByteArray Err;
};

// The tool run with the given arguments; in workingFolder when one is given, so that the names it
// prints are the names as given.
inline BatchResult RunBatch(const QStringList& arguments, const QString& workingFolder = {}) {
    QProcess process;
    if (!workingFolder.isEmpty()) process.setWorkingDirectory(workingFolder);
    process.start(QStringLiteral(NIBBO_BATCH), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// Writes a file the test gives the tool; the test cannot go on without it. Returns the path.
inline QString WriteTestFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A walled world with the figure on (2, 2) facing east, no stock, one portion of food on (3, 2)
// and a wall on (5, 2).
inline World Task() {
    World world;
    ClearWorld(world);
    SetCell(world, 3, 2, 1);
    SetCell(world, 5, 2, kWall);
    world.StartColumn = 2;
    world.StartRow = 2;
    world.Orientation = East;
    world.StartPlaced = true;
    return world;
}

// The task solved: the figure one cell further on (3, 2), the food eaten and carried.
inline World Solved() {
    World world = Task();
    SetCell(world, 3, 2, kFreePath);
    world.StartColumn = 3;
    return world;
}

// The world file of a stored world.
inline QByteArray Bytes(const WorldRecord& record) {
    const WorldFileBytes bytes = EncodeWorldFile(record);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// The world file of a world that carries the given stock.
inline QByteArray Bytes(const World& world, int stock = 0) {
    PlainStockField field;
    field.WriteStock(stock);
    WorldRecord record;
    StoreWorld(world, field, record);
    return Bytes(record);
}

// A program file whose main block holds the given lines.
inline QByteArray Program(const char* body) {
    return QByteArray("program aufgabe;\r\nbegin\r\n") + body + "\r\nend.\r\n";
}

} // namespace nibbo::testing
