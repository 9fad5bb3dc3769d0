// nibbo-batch built without Qt (NIBBO_QT=OFF): drawing a world needs the world view's painting code,
// which is Qt's, so render, thumbnail, --report and the task booklet are not in this build and say so
// instead of running.
#include "batch.h"
#include "report.h"

#include <ostream>

namespace nibbo::batch {

namespace {

constexpr int kExitUnavailable = 69; // as in sysexits.h: the service is not there

int Unavailable(const Invocation& call) {
    call.Err << "nibbo-batch: Bilder, Berichte und Aufgabenhefte zeichnet nur ein nibbo-batch, das mit Qt "
                "gebaut ist.\n";
    return kExitUnavailable;
}

} // namespace

int RenderCommand(const Invocation& call) {
    return Unavailable(call);
}

int ThumbnailCommand(const Invocation& call) {
    return Unavailable(call);
}

int BookletCommand(const Invocation& call) {
    return Unavailable(call);
}

int WriteReport(const Invocation& call, const std::string&, const Report&) {
    return Unavailable(call);
}

} // namespace nibbo::batch
