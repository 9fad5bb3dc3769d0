// A timer of the session, kept as the session sees it: whether it runs and at what interval. The
// front end paces the ticks; like a timer of the window system, setting the interval of a running
// timer starts it anew, and starting a running one starts it anew too.
#pragma once

#include "shell/front_end.h"

namespace nibbo {

class SessionTimer {
public:
    SessionTimer(FrontEnd& ui, Timer which, int interval) : ui_(ui), which_(which), interval_(interval) {}

    bool IsActive() const { return active_; }
    int Interval() const { return interval_; }

    void Start() {
        active_ = true;
        ui_.StartTimer(which_, interval_);
    }
    void Stop() {
        active_ = false;
        ui_.StopTimer(which_);
    }
    void SetInterval(int interval) {
        interval_ = interval;
        if (active_) ui_.StartTimer(which_, interval_);
    }

private:
    FrontEnd& ui_;
    Timer which_;
    int interval_;
    bool active_ = false;
};

} // namespace nibbo
