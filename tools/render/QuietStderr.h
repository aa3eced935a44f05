#pragma once

// While it exists, what plug-ins and JUCE's hosting print to stderr (load messages, the sound
// system's complaints about missing MIDI devices) goes nowhere, so the tools' own one-line
// messages stay readable.
class QuietStderr
{
public:
    QuietStderr();
    ~QuietStderr();

private:
    int savedStderr = -1;

    QuietStderr (const QuietStderr&) = delete;
    QuietStderr& operator= (const QuietStderr&) = delete;
};
