#pragma once
// A platform whose beeps and program end are counted instead of happening.

#include "platform/Platform.h"

class FakePlatform : public Platform {
public:
    int beeps = 0;
    int endRequests = 0;

    void Beep() override { ++beeps; }
    void EndProgram() override { ++endRequests; }
};
