#include "AudioProcessor.h"

AudioProcessor::AudioProcessor()
{
    finishConstruction();
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new AudioProcessor();
}
