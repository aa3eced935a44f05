// Programs and host chunks through the processor: what a host saves and loads.

#include "events/Event.h"
#include "events/EventKinds.h"
#include "processor/AudioProcessor.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
    constexpr int mix = ParameterLayout::mix;
    constexpr int firstPointX = ParameterLayout::pointParameter (0, 0, ParameterLayout::pointX);

    class Messages : public EventHandler
    {
    public:
        explicit Messages (EventDispatcher& d) : EventHandler (d)
        {
            subscribe (EventKinds::statusText);
            subscribe (EventKinds::programLoaded);
        }

        void respond (const Event& event) override
        {
            if (event.getKind() == EventKinds::programLoaded)
                ++programsLoaded;
            else
                texts.add (event.getString());
        }

        juce::StringArray texts;
        int programsLoaded = 0;
    };

    struct SavedState : testing::Test
    {
        juce::MemoryBlock bankChunk()
        {
            juce::MemoryBlock block;
            processor.getStateInformation (block);
            return block;
        }

        juce::MemoryBlock programChunk()
        {
            juce::MemoryBlock block;
            processor.getCurrentProgramStateInformation (block);
            return block;
        }

        void drainAfterHolds() { processor.drainParameterQueueAt (processor.getHoldUntil (0) + 1); }
        float storage (int index) { return processor.getParameterRecord (index)->storage; }

        AudioProcessor processor;
        Messages messages { processor.getEventDispatcher() };
    };
}

TEST_F (SavedState, AFreshBankChunkStartsWithFormatFiveAndProgramZero)
{
    const auto chunk = bankChunk();
    ASSERT_EQ (chunk.getSize(), 78788u);
    const auto* bytes = static_cast<const uint8_t*> (chunk.getData());
    EXPECT_EQ (juce::ByteOrder::littleEndianInt (bytes), 5u);
    EXPECT_EQ (juce::ByteOrder::littleEndianInt (bytes + 4), 5u);
    EXPECT_STREQ (reinterpret_cast<const char*> (bytes + 8), "Left to Right");

    EXPECT_EQ (processor.getNumPrograms(), 16);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_EQ (processor.getProgramName (15), "Init");
    EXPECT_EQ (processor.getProgramName (16), "");
}

TEST_F (SavedState, BankAndProgramChunksRoundTripBitExactly)
{
    processor.setParameterFromGui (mix, 0.33f, false);
    processor.setParameterFromGui (firstPointX + 1000, 0.9f, false);
    processor.changeProgramName (0, "Mine");
    const auto bank = bankChunk();
    const auto program = programChunk();
    ASSERT_EQ (program.getSize(), 4924u);

    AudioProcessor other;
    other.setStateInformation (bank.getData(), (int) bank.getSize());
    juce::MemoryBlock again;
    other.getStateInformation (again);
    EXPECT_EQ (again, bank);
    EXPECT_EQ (other.getParameter (mix), 0.33f);

    other.setCurrentProgram (3);
    other.setCurrentProgramStateInformation (program.getData(), (int) program.getSize());
    juce::MemoryBlock programAgain;
    other.getCurrentProgramStateInformation (programAgain);
    EXPECT_EQ (programAgain, program);
    EXPECT_EQ (other.getProgramName (3), "Mine");
}

TEST_F (SavedState, AnOldPresetGetsEmptyNewPointsAndTodaysDefaults)
{
    ProgramRecord old;
    old.version = 3;
    old.setName ("Old preset");
    old.values[mix] = 0.2f;
    std::vector<uint8_t> bytes (ProgramRecord::oldSize);
    old.write (bytes.data());

    processor.setParameterFromGui (firstPointX + 800, 0.5f, false); // a point that version 3 did not have
    processor.setCurrentProgramStateInformation (bytes.data(), (int) bytes.size());
    drainAfterHolds();

    EXPECT_EQ (messages.texts, juce::StringArray ("Loaded preset."));
    EXPECT_EQ (processor.getProgramName (0), "Old preset");
    EXPECT_EQ (storage (mix), 1.0f);
    EXPECT_EQ (processor.getParameterRecord (9)->currentStep(), 1);
    EXPECT_FLOAT_EQ (storage (14), 5.0f / 13.0f);
    EXPECT_EQ (processor.getParameter (firstPointX + 800), 0.0f);
}

TEST_F (SavedState, NewerOrTruncatedChunksAreRefusedAndChangeNothing)
{
    const auto bankBefore = bankChunk();
    auto bank = bankBefore;
    auto program = programChunk();

    static_cast<uint8_t*> (bank.getData())[0] = 6;
    processor.setStateInformation (bank.getData(), (int) bank.getSize());
    processor.setStateInformation (bankBefore.getData(), (int) bankBefore.getSize() - 1);

    static_cast<uint8_t*> (program.getData())[0] = 6;
    processor.setCurrentProgramStateInformation (program.getData(), (int) program.getSize());
    auto shortProgram = programChunk();
    processor.setCurrentProgramStateInformation (shortProgram.getData(), 2523);

    processor.setStateInformation (nullptr, 0); // ignored without a word

    ASSERT_EQ (messages.texts.size(), 4);
    EXPECT_EQ (messages.texts[1], messages.texts[0]);
    EXPECT_EQ (messages.texts[3], messages.texts[2]);
    EXPECT_EQ (messages.texts[0], "Unable to load bank. It has been saved with a newer version of the software.");
    EXPECT_EQ (messages.texts[2], "Unable to load preset. It has been saved with a newer version of the software.");
    EXPECT_EQ (bankChunk(), bankBefore);
    EXPECT_EQ (messages.programsLoaded, 0);
}

TEST_F (SavedState, SwitchingProgramsKeepsEditsAndReselectingDiscardsThem)
{
    processor.setParameterFromGui (mix, 0.4f, false);
    processor.setCurrentProgram (4);
    drainAfterHolds();
    EXPECT_EQ (processor.getCurrentProgram(), 4);
    EXPECT_EQ (processor.getParameterRecord (4)->currentStep(), 3); // "Fast to Slow" is hertz synced

    processor.setCurrentProgram (0);
    drainAfterHolds();
    EXPECT_EQ (storage (mix), 0.4f);

    processor.setParameterFromGui (mix, 0.8f, false);
    processor.setCurrentProgram (0);
    drainAfterHolds();
    EXPECT_EQ (storage (mix), 0.4f);
    EXPECT_EQ (messages.programsLoaded, 3);

    processor.setCurrentProgram (16); // ignored
    EXPECT_EQ (processor.getCurrentProgram(), 0);
}

TEST_F (SavedState, LoadingAProgramDropsChangesStillWaitingInTheQueue)
{
    processor.setParameter (mix, 0.1f);
    processor.setParameterFromGui (firstPointX, 0.5f, false);
    processor.setCurrentProgram (2);
    drainAfterHolds();

    EXPECT_EQ (storage (mix), 1.0f);
    EXPECT_EQ (processor.getParameter (firstPointX), 0.0f);
    EXPECT_EQ (processor.state->waves[0].type (0).currentStep(), 1); // "Hard Left": one point
}
