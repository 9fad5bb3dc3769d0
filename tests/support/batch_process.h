// Runs nibbo-batch as a process for the tests of its commands. The test target defines NIBBO_BATCH
// as the path of the built tool (see nibbo_batch_test in tests/CMakeLists.txt).
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

namespace nibbo::testing {

struct BatchResult {
    int ExitCode = -1; // -1 when the tool did not end normally within two minutes
    QByteArray Out;
    QByteArray Err;
};

inline BatchResult RunBatch(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(NIBBO_BATCH), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace nibbo::testing
