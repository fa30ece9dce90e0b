#pragma once

#include "foundation/OleDate.h"

// Fixes what vb::now() returns while it lives (for tests that link the foundation library), and
// gives back the clock that stood before. Made after the test's context, as a new context starts
// with the system clock.
class FixedClock {
public:
    explicit FixedClock(double oleDate) : value_(oleDate), before_(vb::installedClock())
    {
        vb::setClock([this] { return value_; });
    }
    ~FixedClock() { vb::setClock(before_); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
    void set(double oleDate) { value_ = oleDate; }

private:
    double value_;
    vb::Clock before_;
};
