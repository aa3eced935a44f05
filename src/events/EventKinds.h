#pragma once

// The kinds of event the plug-in posts; the receivers say what each one makes them do.
namespace EventKinds
{
    constexpr int statusText = 1;        // StringEvent: a tip or status text
    constexpr int errorMessage = 2;      // StringEvent: an error to show in a message overlay
    constexpr int programLoaded = 4;     // StringEvent with an empty text
    constexpr int processingReleased = 18;
    constexpr int processingPrepared = 19;
    constexpr int stepDrawingOn = 55;
    constexpr int stepDrawingOff = 56;
    constexpr int snapToGridOn = 57;
    constexpr int snapToGridOff = 58;
}
