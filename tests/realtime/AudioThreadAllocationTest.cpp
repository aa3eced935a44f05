// The audio thread never allocates or frees: every processing call, and the idle tick's rebuild,
// run with the allocator counted.

#include "AllocationCounter.h"
#include "processor/AudioProcessor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace
{
    using Layout = ParameterLayout;

    // The product's processor, prepared, its program 0 built, with a block of a tone and MIDI
    // made beforehand, so that processing itself is all that is counted.
    struct Rig
    {
        Rig (int blockSize, bool offline) : buffer (2, blockSize)
        {
            // Offline, host values apply at the next block instead of after the hold of the
            // program loaded at construction, so their rebuilds happen within the counted calls.
            processor.setNonRealtime (offline);
            processor.prepareToPlay (48000.0, blockSize);
            processBlocks (8);
        }

        ~Rig() { processor.releaseResources(); }

        void fillTone()
        {
            for (int channel = 0; channel < 2; ++channel)
                for (int i = 0; i < buffer.getNumSamples(); ++i)
                    buffer.setSample (channel, i, 0.5f * std::sin (0.01f * (float) (i + 7 * channel)));
        }

        void processBlocks (int n)
        {
            for (int i = 0; i < n; ++i)
            {
                fillTone();
                processor.processBlock (buffer, midi);
            }
        }

        // Processing calls with the allocator counted on this thread.
        long countedBlocks (int n)
        {
            AllocationCounter::reset();
            {
                const AllocationCounter::Scope counting;
                processBlocks (n);
            }
            return AllocationCounter::calls();
        }

        AudioProcessor processor;
        juce::AudioBuffer<float> buffer;
        juce::MidiBuffer midi;
    };

    // What a host does before the counted blocks, and what it has changed after them (offline).
    struct Situation
    {
        const char* name;
        std::function<void (Rig&)> prepare;
        std::function<bool (Rig&)> changed = [] (Rig&) { return true; };
    };

    float storage (Rig& r, int index) { return r.processor.getParameterRecord (index)->storage; }

    void PrintTo (const Situation& situation, std::ostream* out) { *out << situation.name; }

    const Situation situations[] = {
        { "SteadyProcessing", [] (Rig&) {} },
        { "MixAutomation", [] (Rig& r) { r.processor.getParameters()[Layout::mix]->setValueNotifyingHost (0.3f); },
          [] (Rig& r) { return storage (r, Layout::mix) == 0.3f; } },
        { "PointAutomation", [] (Rig& r)
          {
              for (int slot = 0; slot < 8; ++slot)
                  r.processor.setParameter (Layout::pointParameter (0, slot, Layout::pointY), 0.1f * (float) slot);
          },
          [] (Rig& r) { return storage (r, Layout::pointParameter (0, 7, Layout::pointY)) == 0.7f; } },
        { "ProgramChangeByTheHost", [] (Rig& r) { r.processor.setCurrentProgram (12); } },
        { "BankChunkLoad", [] (Rig& r)
          {
              juce::MemoryBlock state;
              r.processor.getStateInformation (state);
              r.processor.setCurrentProgram (10);
              r.processor.setStateInformation (state.getData(), (int) state.getSize());
          } },
        { "NotesInBeatRetrig", [] (Rig& r)
          {
              r.processor.setParameter (Layout::speedType, Layout::valueOfStep (Layout::beatRetrig, Layout::stepsOf (Layout::speedType)));
              r.midi.addEvent (juce::MidiMessage::noteOn (1, 60, 0.8f), 3);
              r.midi.addEvent (juce::MidiMessage::noteOff (1, 60), 20);
              r.midi.addEvent (juce::MidiMessage::noteOn (1, 64, 0.8f), 40);
          } },
        { "MidiInChange", [] (Rig& r) { r.processor.setParameter (Layout::midiIn, 1.0f); } },
    };

    class AudioThreadAllocation : public testing::TestWithParam<std::tuple<Situation, int, bool>> {};
}

TEST (AllocationCounter, CountsWhatThisThreadAllocatesInsideAScopeOnly)
{
    AllocationCounter::reset();
    int* volatile outside = new int (1);
    delete outside;
    EXPECT_EQ (AllocationCounter::calls(), 0);

    {
        const AllocationCounter::Scope counting;
        int* volatile inside = new int (2);
        delete inside;
        void* volatile raw = std::malloc (16);
        std::free (raw);
    }

    EXPECT_EQ (AllocationCounter::calls(), 4);
}

TEST_P (AudioThreadAllocation, NoProcessingCallAllocates)
{
    const auto& [situation, blockSize, offline] = GetParam();
    Rig rig (blockSize, offline);
    situation.prepare (rig);

    // Enough calls for every rebuild a change starts to finish.
    EXPECT_EQ (rig.countedBlocks (64), 0) << situation.name << " at " << blockSize << " samples";
    if (offline)
        EXPECT_TRUE (situation.changed (rig));
}

INSTANTIATE_TEST_SUITE_P (Situations, AudioThreadAllocation,
                          testing::Combine (testing::ValuesIn (situations), testing::Values (64, 333, 512),
                                            testing::Bool()),
                          [] (const auto& info)
                          {
                              return std::string (std::get<0> (info.param).name) + "_"
                                   + std::to_string (std::get<1> (info.param))
                                   + (std::get<2> (info.param) ? "_Offline" : "_Realtime");
                          });

TEST (AudioThreadAllocation, TheIdleTicksRebuildDoesNotAllocate)
{
    Rig rig (512, false);
    // Points moved in the editor while the host does not process.
    for (int slot = 0; slot < 8; ++slot)
        rig.processor.setParameterFromGui (Layout::pointParameter (2, slot, Layout::pointX), 0.1f * (float) slot, false);

    AllocationCounter::reset();
    {
        const AllocationCounter::Scope counting;
        // The host has not processed for a while: the idle tick drains and rebuilds.
        for (int tick = 0; tick < 32; ++tick)
            rig.processor.idleTick (rig.processor.getLastProcessTime() + 5000);
    }
    EXPECT_EQ (AllocationCounter::calls(), 0);
    EXPECT_EQ (rig.processor.getParameterRecord (Layout::pointParameter (2, 7, Layout::pointX))->currentStep(),
               Layout::stepOf (0.7f, Layout::xSteps));
}

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
