// A file system with no room left, for tests of what a save does when the disk runs out: a tmpfs
// of a few pages mounted on a temporary folder, then filled up. Mounting needs root; where that is
// not allowed the test is skipped, except in CI, which runs as root and must never skip it.
#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/mount.h>

namespace nibbo::testing {

class FullDisk {
public:
    FullDisk() {
        mounted_ = dir_.isValid() &&
                   ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullDisk() {
        if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool Mounted() const { return mounted_; }
    QString Path(const QString& name) const { return dir_.filePath(name); }

    // Takes up what room is left, so that the next write of a single byte fails.
    bool Fill() const {
        QFile filler(Path(QStringLiteral("fuellung")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("x", 1) == 1) {
        }
        return true;
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

} // namespace nibbo::testing

// Skips the test where no file system can be mounted; fails it in CI.
#define NIBBO_REQUIRE_FULL_DISK(disk)                                                                        \
    do {                                                                                                     \
        if (!(disk).Mounted()) {                                                                             \
            if (qEnvironmentVariableIsSet("CI")) QFAIL("CI runs as root and must be able to mount a tmpfs"); \
            QSKIP("mounting a small tmpfs needs root");                                                      \
        }                                                                                                    \
    } while (false)
