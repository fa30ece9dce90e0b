#pragma once

#include "foundation/OleDate.h"

// Fixes what vb::now() returns while it lives (for tests that link the foundation library).
class FixedClock {
public:
    explicit FixedClock(double oleDate) : value_(oleDate)
    {
        vb::setClock([this] { return value_; });
    }
    ~FixedClock() { vb::setClock({}); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
    void set(double oleDate) { value_ = oleDate; }

private:
    double value_;
};
