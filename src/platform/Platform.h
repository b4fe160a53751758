#pragma once
// The services of the desktop that the windows use and that tests observe:
// the alert beep, ending the whole program, and (later) sound.

class Platform {
public:
    virtual ~Platform() = default;
    // The system's standard alert sound.
    virtual void Beep() = 0;
    // Ends the program at once: every window closes, nothing is saved.
    // A handler that calls it returns right after.
    virtual void EndProgram() = 0;
};
