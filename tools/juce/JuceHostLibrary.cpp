// The JUCE modules the host-side tools and tests use, compiled once into one static library.
#include <juce_audio_formats/juce_audio_formats.h>
#include <juce_audio_processors/juce_audio_processors.h>
