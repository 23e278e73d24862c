#pragma once

#include "fakehost.h"

#include <QElapsedTimer>
#include <chrono>
#include <thread>

// A FakeHost whose waits take real time, for exchanges over a real port.
class RealTimeHost : public FakeHost {
public:
    RealTimeHost() { elapsed_.start(); }
    void wait(int ms) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        clock = elapsed_.elapsed();
    }
    qint64 now() const override { return elapsed_.elapsed(); }

private:
    QElapsedTimer elapsed_;
};
