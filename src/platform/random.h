// Random draws for the celebration sounds, behind an interface so tests can fix them.
#pragma once

#include <random>

class Random {
public:
    virtual ~Random() = default;
    virtual void reseedFromClock() = 0;
    virtual int below(int k) = 0; // uniform 0..k-1
};

class ClockRandom : public Random {
public:
    void reseedFromClock() override;
    int below(int k) override;

private:
    std::mt19937 engine_;
};
