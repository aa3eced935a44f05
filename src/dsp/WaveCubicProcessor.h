#pragma once

#include "WaveProcessor.h"

// The wave processor of the plug-in: its waves carry the interpolation tables the LFO plays.
class WaveCubicProcessor : public WaveProcessor
{
public:
    explicit WaveCubicProcessor (AudioProcessorBase& owner);
};
