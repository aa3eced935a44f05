// The parameter store, alone and inside the processor: host and editor writes, the queue, the hold.

#include "processor/AudioProcessor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <limits>
#include <thread>
#include <vector>

namespace
{
    constexpr int speedType = ParameterLayout::speedType, mix = ParameterLayout::mix;
    constexpr int placeholder = ParameterLayout::reservedAfterVisibleWave;
    constexpr int firstPointX = ParameterLayout::pointParameter (0, 0, ParameterLayout::pointX);

    // Collects what the store reports to an editor.
    struct Reports : ParameterChangeReceiver
    {
        void queueParameterStep (int index, int step) override { steps.push_back ({ index, step }); }
        void queueParameterValue (int index, float value) override { values.push_back ({ index, value }); }
        std::vector<std::pair<int, int>> steps;
        std::vector<std::pair<int, float>> values;
    };

    // Collects what the store tells the host.
    struct HostListener : juce::AudioProcessorParameter::Listener
    {
        void parameterValueChanged (int index, float value) override { sent.push_back ({ index, value }); }
        void parameterGestureChanged (int, bool) override {}
        std::vector<std::pair<int, float>> sent;
    };

    struct PointCounter : AudioProcessorMixin
    {
        using AudioProcessorMixin::AudioProcessorMixin;
        void pointParameterChanged (int index) override { changed.push_back (index); }
        std::vector<int> changed;
    };

    // The store as the processor's parameter calls reach it.
    struct ProcessorParameterStore : testing::Test
    {
        ProcessorParameterStore() { processor.setParameterChangeReceiver (&reports); }
        ~ProcessorParameterStore() override { processor.setParameterChangeReceiver (nullptr); }

        float storage (int index) { return processor.getParameterRecord (index)->storage; }

        // Loading program 0 at construction holds every parameter for 1.2 s; drain as if later.
        void drainAfterHolds() { processor.drainParameterQueueAt (processor.getHoldUntil (0) + 1); }

        AudioProcessor processor;
        Reports reports;
    };
}

TEST_F (ProcessorParameterStore, HostValuesAreQueuedAndAppliedAtTheNextDrain)
{
    EXPECT_EQ (storage (mix), 1.0f); // program 0
    processor.setParameter (mix, 0.7f);
    EXPECT_EQ (processor.getParameter (mix), 0.7f);
    EXPECT_EQ (storage (mix), 1.0f);

    drainAfterHolds();
    EXPECT_EQ (storage (mix), 0.7f);
    EXPECT_EQ (reports.values, (std::vector<std::pair<int, float>> { { mix, 0.7f } }));

    processor.setParameter (mix, 3.0f); // out of range: clamped
    drainAfterHolds();
    EXPECT_EQ (processor.getParameter (mix), 1.0f);
    EXPECT_EQ (storage (mix), 1.0f);

    processor.setParameter (mix, std::numeric_limits<float>::quiet_NaN());
    drainAfterHolds();
    EXPECT_EQ (storage (mix), 0.0f);
}

TEST_F (ProcessorParameterStore, AWriteWithinTheSameStepChangesNothingButTheHostValue)
{
    processor.setParameter (speedType, 0.43f);
    drainAfterHolds();
    processor.setParameter (speedType, 0.44f);
    drainAfterHolds();

    EXPECT_EQ (reports.steps, (std::vector<std::pair<int, int>> { { speedType, 3 } }));
    EXPECT_EQ (storage (speedType), 3.0f / 7.0f);
    EXPECT_EQ (processor.getParameter (speedType), 0.44f);
    EXPECT_EQ (processor.getParameterText (speedType), "0.44");
}

TEST_F (ProcessorParameterStore, EditorStepsReachTheHostAsExactStepValues)
{
    HostListener host;
    processor.getParameters()[speedType]->addListener (&host);

    processor.setParameterStepFromGui (speedType, 6);
    processor.setParameterStepFromGui (speedType, 3);
    processor.getParameters()[speedType]->removeListener (&host);

    EXPECT_EQ (host.sent, (std::vector<std::pair<int, float>> { { speedType, 1.0f }, { speedType, 3.0f / 7.0f } }));
    EXPECT_EQ (processor.getParameterText (speedType), "0.43");

    processor.drainParameterQueue();
    EXPECT_EQ (reports.steps, (std::vector<std::pair<int, int>> { { speedType, 6 }, { speedType, 3 } }));
}

TEST_F (ProcessorParameterStore, PlaceholdersKeepTheHostValueAndNothingElse)
{
    processor.setParameter (placeholder, 0.7f);
    drainAfterHolds();

    EXPECT_EQ (processor.getParameter (placeholder), 0.7f);
    EXPECT_EQ (processor.getParameterText (placeholder), "0.70");
    EXPECT_EQ (storage (placeholder), 0.0f);
    EXPECT_TRUE (reports.values.empty());
}

TEST_F (ProcessorParameterStore, HostAutomationWaitsWhileTheEditorHoldsTheParameter)
{
    processor.setParameterFromGui (mix, 0.2f, false);
    const auto holdEnd = processor.getHoldUntil (mix);

    processor.setParameter (mix, 0.9f);
    processor.drainParameterQueueAt (holdEnd - 1);
    EXPECT_EQ (storage (mix), 0.2f);

    processor.setParameter (mix, 0.8f); // the host moves on while the hold lasts
    processor.drainParameterQueueAt (holdEnd);
    EXPECT_EQ (storage (mix), 0.2f);

    processor.drainParameterQueueAt (holdEnd + 1);
    EXPECT_EQ (storage (mix), 0.8f);
    EXPECT_EQ (reports.values, (std::vector<std::pair<int, float>> { { mix, 0.2f }, { mix, 0.8f } }));
}

TEST_F (ProcessorParameterStore, AnEditorWriteAfterAHeldHostValueCancelsItsRetry)
{
    processor.setParameterFromGui (mix, 0.2f, false);
    const auto holdEnd = processor.getHoldUntil (mix);
    processor.setParameter (mix, 0.9f);
    processor.setParameterFromGui (mix, 0.3f, false);

    processor.drainParameterQueueAt (holdEnd - 1);
    processor.drainParameterQueueAt (holdEnd + 5000);

    EXPECT_EQ (storage (mix), 0.3f);
    EXPECT_EQ (reports.values.back(), (std::pair<int, float> { mix, 0.3f }));
    EXPECT_EQ (reports.values.size(), 2u);
}

TEST_F (ProcessorParameterStore, AFullQueueKeepsHostAndEditorValuesForTheDrain)
{
    constexpr int capacity = AudioProcessorBase::changeQueueCapacity;
    for (int i = 0; i < capacity; ++i)
        processor.setParameter (mix, (float) (i % 2) * 0.5f + 0.25f);

    processor.setParameter (mix, 0.1f); // no room: kept aside, never applied off the drain
    EXPECT_EQ (storage (mix), 1.0f);

    processor.setParameterFromGui (speedType, 1.0f, false); // no room: kept aside
    EXPECT_EQ (storage (speedType), 0.0f);

    drainAfterHolds();
    EXPECT_EQ (storage (mix), 0.1f); // every queued host change applies the latest value
    EXPECT_EQ (storage (speedType), 1.0f);
    EXPECT_EQ (processor.getParameter (speedType), 1.0f);
}

TEST_F (ProcessorParameterStore, OfflineRenderingAppliesHostValuesAtTheNextDrainAndHoldsNothing)
{
    processor.setParameter (mix, 0.5f); // queued while realtime, inside the hold of program 0

    processor.setNonRealtime (true);
    processor.setParameter (speedType, 1.0f);
    EXPECT_EQ (processor.getParameterRecord (speedType)->currentStep(), 0);

    // Offline the result must not depend on the wall clock: the held value applies at the drain.
    processor.drainParameterQueueAt (processor.getHoldUntil (mix) - 1);
    EXPECT_EQ (storage (mix), 0.5f);
    EXPECT_EQ (processor.getParameterRecord (speedType)->currentStep(), 6);
    processor.setNonRealtime (false);
}

// Whichever of a program load and a host write comes later decides the value.
struct LaterWriteCase
{
    bool offline, hostFirst;
    float expectedMix;
};

class ProgramAndHostWrites : public ProcessorParameterStore, public testing::WithParamInterface<LaterWriteCase> {};

TEST_P (ProgramAndHostWrites, TheLaterWriteWins)
{
    constexpr int program = 7;   // "Slow Walker": "Mix" at 1
    const auto c = GetParam();
    processor.setNonRealtime (c.offline);

    if (c.hostFirst)
        processor.setParameter (mix, 0.25f);

    processor.setCurrentProgram (program);

    if (! c.hostFirst)
        processor.setParameter (mix, 0.25f);

    EXPECT_EQ (processor.getParameter (mix), c.expectedMix);

    // Realtime, a host value waits for the program's hold; offline it applies at the next drain.
    const auto now = processor.getHoldUntil (mix) - 1;
    processor.drainParameterQueueAt (now);
    EXPECT_EQ (storage (mix), c.offline ? c.expectedMix : 1.0f);
    processor.drainParameterQueueAt (now + 2);
    EXPECT_EQ (storage (mix), c.expectedMix);
    EXPECT_EQ (processor.getParameter (mix), c.expectedMix);
    processor.setNonRealtime (false);
}

INSTANTIATE_TEST_SUITE_P (Orders, ProgramAndHostWrites,
                          testing::Values (LaterWriteCase { false, true, 1.0f }, LaterWriteCase { false, false, 0.25f },
                                           LaterWriteCase { true, true, 1.0f }, LaterWriteCase { true, false, 0.25f }),
                          [] (const auto& info)
                          {
                              return std::string (info.param.offline ? "Offline" : "Realtime")
                                   + (info.param.hostFirst ? "HostThenProgram" : "ProgramThenHost");
                          });

TEST_F (ProcessorParameterStore, PointChangesReachTheWaveProcessor)
{
    auto node = std::make_unique<PointCounter> (processor);
    auto* counter = node.get();
    processor.setWaveProcessor (std::move (node));

    processor.setParameter (firstPointX, 0.5f);
    processor.setParameter (firstPointX + 1, 0.5f);
    processor.setParameter (mix, 0.5f);
    drainAfterHolds();

    EXPECT_EQ (counter->changed, (std::vector<int> { firstPointX, firstPointX + 1 }));
    EXPECT_EQ (processor.state->waves[0].x (0).currentStep(), 4096);
}

TEST (ParameterStoreBeforeReady, HostValuesApplyAtTheDrainEvenWhenUnchanged)
{
    struct Unfinished : AudioProcessorBase
    {
        Unfinished() { registerParameter (record, "Mix", ParameterRecord::plain); }
        const juce::String getName() const override { return {}; }
        bool acceptsMidi() const override { return false; }
        bool producesMidi() const override { return false; }
        double getTailLengthSeconds() const override { return 0.0; }
        void renderRange (juce::AudioBuffer<float>&, juce::MidiBuffer&, int, int) override {}
        ParameterRecord record;
    } processor;

    processor.setParameter (0, 0.0f); // equal to the current value, still written
    EXPECT_EQ (processor.record.value, -1.0f);
    processor.drainParameterQueue();
    EXPECT_EQ (processor.record.value, 0.0f);
    processor.setParameter (0, 0.4f);
    processor.drainParameterQueue();
    EXPECT_EQ (processor.record.storage, 0.4f);
}

TEST (ParameterStoreConcurrent, NoChangeIsLostAndValuesEndAsTheLastWriterLeftThem)
{
    AudioProcessor processor;
    // Fewer changes than the queue holds, so every one goes through the queue and the drain.
    constexpr int writesPerParameter = 10;
    constexpr int parametersPerWriter = 100;
    // Y parameters (continuous) of waves 1 ... 3 for two host threads and the editor thread.
    auto yIndex = [] (int writer, int i) { return firstPointX + 1 + 3 * (writer * parametersPerWriter + i); };
    auto valueOf = [] (int round) { return (float) (round + 1) / (float) writesPerParameter; };

    std::atomic<int> writersDone { 0 };
    std::vector<std::thread> writers;
    for (int writer = 0; writer < 3; ++writer)
        writers.emplace_back ([&, writer]
        {
            for (int round = 0; round < writesPerParameter; ++round)
                for (int i = 0; i < parametersPerWriter; ++i)
                {
                    if (writer == 2)
                        processor.setParameterFromGui (yIndex (writer, i), valueOf (round), false);
                    else
                        processor.setParameter (yIndex (writer, i), valueOf (round));
                }
            ++writersDone;
        });

    std::thread drainer ([&]
    {
        while (writersDone < 3)
        {
            const juce::ScopedLock lock (processor.getCallbackLock());
            processor.drainParameterQueue();
        }
    });

    for (auto& w : writers)
        w.join();
    drainer.join();
    processor.drainParameterQueueAt (processor.getHoldUntil (0) + 1); // past the hold of program 0

    for (int writer = 0; writer < 3; ++writer)
        for (int i = 0; i < parametersPerWriter; ++i)
        {
            const int index = yIndex (writer, i);
            ASSERT_EQ (processor.getParameter (index), 1.0f) << index;
            ASSERT_EQ (processor.getParameterRecord (index)->storage, 1.0f) << index;
        }
}

//==============================================================================
namespace
{
    // A store of its own with two records, a stepped one and a continuous one.
    struct StoreAlone : testing::Test, ParameterStore::Listener
    {
        StoreAlone()
        {
            store.add (stepped, "Stepped", ParameterRecord::plain);
            store.add (continuous, "Continuous", ParameterRecord::wavePoint);
            store.add (store.createPlaceholder(), ParameterLayout::placeholderName, ParameterRecord::placeholder);
            store.markReady();
        }

        void parameterStepApplied (int index, const ParameterRecord&, int step) override { steps.push_back ({ index, step }); }
        void parameterValueApplied (int index, const ParameterRecord& record, float value) override
        {
            values.push_back ({ index, value });
            kinds.push_back (record.kind);
        }

        static constexpr juce::uint32 afterAnyHold = std::numeric_limits<juce::uint32>::max() / 2;

        ParameterRecord stepped { 4 };
        ParameterRecord continuous;
        ParameterStore store { *this };
        std::vector<std::pair<int, int>> steps;
        std::vector<std::pair<int, float>> values;
        std::vector<int> kinds;
    };
}

TEST_F (StoreAlone, QueuesHostValuesUntilTheDrainAndAppliesStepsAsSteps)
{
    store.writeFromHost (0, 0.8f);
    store.writeFromHost (1, 2.0f);   // clamped
    store.writeFromHost (2, 0.5f);   // a placeholder keeps the value and applies nothing
    EXPECT_TRUE (steps.empty());
    EXPECT_EQ (store.valueOf (1), 1.0f);

    store.drain (afterAnyHold, true);
    EXPECT_EQ (steps, (std::vector<std::pair<int, int>> { { 0, 3 } }));
    EXPECT_EQ (stepped.storage, 1.0f);   // the top step
    EXPECT_EQ (values, (std::vector<std::pair<int, float>> { { 1, 1.0f } }));
    EXPECT_EQ (kinds, std::vector<int> { ParameterRecord::wavePoint });
    EXPECT_EQ (store.valueOf (2), 0.5f);
}

TEST_F (StoreAlone, AnEditorValueHoldsOffALaterHostValueWhichThenWins)
{
    store.writeFromGui (1, 0.3f);
    store.writeFromHost (1, 0.6f);
    EXPECT_EQ (store.valueOf (1), 0.6f);

    const auto held = store.holdUntil (1) - 1;
    store.drain (held, true);
    EXPECT_EQ (values, (std::vector<std::pair<int, float>> { { 1, 0.3f } }));   // the host waits
    EXPECT_EQ (store.valueOf (1), 0.6f);

    store.drain (held + 2, true);
    EXPECT_EQ (continuous.value, 0.6f);
}

TEST_F (StoreAlone, PendingChangesCanBeDroppedWithoutTheDrain)
{
    store.writeFromHost (0, 0.8f);
    store.writeFromGui (1, 0.3f);
    store.discardPending();
    store.drain (afterAnyHold, true);
    EXPECT_TRUE (steps.empty());
    EXPECT_TRUE (values.empty());
}
