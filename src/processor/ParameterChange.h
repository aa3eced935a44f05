#pragma once

// One entry of the processor's parameter change queue.
struct ParameterChange
{
    enum Kind
    {
        fromHost = 0,  // the value is read from the processor's current values when applied
        fromGui = 1    // from the editor or a program load; carries its value
    };

    int index = 0;
    int kind = fromHost;
    float value = 0.0f;
    unsigned int serial = 0;   // of a value from the editor: the parameter's write count after it
};
