#pragma once

// A note change at a sample position relative to the start of the render range about to run.
struct NoteEvent
{
    enum Kind
    {
        noteOn = 0,
        noteOff = 1,
        allNotesOff = 2
    };

    int time = 0;
    int note = 0;       // 0 ... 127
    int kind = noteOn;
    int velocity = 0;   // 1 ... 127 for a note on, 0 otherwise
};
