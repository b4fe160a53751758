#pragma once
// The platform services of the running program.

#include "platform/Platform.h"

class QtPlatform : public Platform {
public:
    void Beep() override;
    void EndProgram() override;
};
