#include "dsp/WaveCubic.h"
#include "dsp/WaveProcessor.h"
#include "events/EventKinds.h"
#include "events/StringEvent.h"
#include "processor/AudioProcessor.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
    constexpr int numWaves = WaveProcessor::numWaves;

    // The product's processor with the wave processor it creates, and program 0 loaded; every
    // test starts once all ten waves are built.
    class WaveProcessorTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            node().finishPendingWork();
        }

        AudioProcessorMixin& node() { return *processor->getWaveProcessor(); }
        WaveState& waveState() { return *node().getWaveState(); }
        Wave& wave (int w) { return *node().getWave (w); }
        void processCall() { node().beginBlock (buffer); }

        // Processing calls until no wave has a rebuild left.
        void rebuildAll()
        {
            const auto rebuilding = [this]
            {
                for (int w = 0; w < numWaves; ++w)
                    if (wave (w).isRebuilding())
                        return true;

                return false;
            };

            while (rebuilding())
                processCall();
        }

        // Writes slot p of wave w (both counted from 0) through the parameter store.
        void setPoint (int w, int p, int xStep, float y, int type)
        {
            const int x = ParameterLayout::pointParameter (w, p, ParameterLayout::pointX);
            processor->applyParameter (x, ParameterRecord::valueOfStep (xStep, WaveTables::xSteps));
            processor->applyParameter (x + 1, y);
            processor->applyParameter (x + 2, ParameterRecord::valueOfStep (type, WaveTables::typeSteps));
        }

        // Empties every slot of wave w and lets the rebuild finish.
        void erase (int w)
        {
            for (int p = 0; p < WaveTables::numSlots; ++p)
                setPoint (w, p, 0, 0.0f, 0);

            rebuildAll();
        }

        float displayed (int w, int i) { return (*waveState().displayTables[(size_t) w])[i]; }

        // Every interpolation table the LFO may play of wave w, all levels one after the other.
        std::vector<float> played (int w)
        {
            const auto& tables = processor->state->waves[(size_t) w];
            std::vector<float> all;

            for (int k = 0; k < DspContext::numLevels; ++k)
                all.insert (all.end(), tables.interpolationLevel (k),
                            tables.interpolationLevel (k) + processor->context->interpolationSizes[(size_t) k]);

            return all;
        }

        std::unique_ptr<AudioProcessor> processor = std::make_unique<AudioProcessor>();
        juce::AudioBuffer<float> buffer { 2, 0 };
    };

    void postEvent (AudioProcessor& processor, int kind)
    {
        processor.getEventDispatcher().post (StringEvent (kind, {}), false);
    }
}

TEST_F (WaveProcessorTest, OwnsTenCubicWavesAndPublishesThemToTheEditor)
{
    EXPECT_EQ (waveState().firstPointParameter, ParameterLayout::firstPointParameter);

    for (int w = 0; w < numWaves; ++w)
    {
        SCOPED_TRACE (w);
        EXPECT_NE (dynamic_cast<WaveCubic*> (&wave (w)), nullptr);
        EXPECT_EQ (wave (w).tables, &processor->state->waves[(size_t) w]);
        EXPECT_EQ (waveState().displayTables[(size_t) w], &wave (w).displayTable);
        EXPECT_EQ (waveState().displayFlags[(size_t) w], &wave (w).displayUpdated);
        EXPECT_TRUE (wave (w).displayUpdated) << "a new wave is built before processing starts";
    }

    EXPECT_EQ (node().getWave (-1), nullptr);
    EXPECT_EQ (node().getWave (numWaves), nullptr);
}

TEST_F (WaveProcessorTest, ChangeDuringARebuildIsNotLost)
{
    erase (0);
    setPoint (0, 0, 100, 0.75f, 1);
    processCall();
    setPoint (0, 0, 100, 0.25f, 1);

    while (wave (0).isMidRebuild())
        processCall();

    EXPECT_EQ (displayed (0, 0), 0.5f) << "the first change completes";

    rebuildAll();
    EXPECT_EQ (displayed (0, 0), -0.5f);
}

TEST_F (WaveProcessorTest, ChangingWave3RebuildsOnlyWave3)
{
    erase (2);

    for (auto* flag : waveState().displayFlags)
        *flag = false;

    setPoint (2, 25, 4000, 0.9f, 3);
    node().pointParameterChanged (16);   // "Mix" is no point parameter
    node().pointParameterChanged (-1);

    for (int w = 0; w < numWaves; ++w)
        EXPECT_EQ (wave (w).dirty, w == 2) << w;

    processCall();

    for (int w = 0; w < numWaves; ++w)
        EXPECT_EQ (wave (w).isMidRebuild(), w == 2) << w;

    rebuildAll();

    for (int w = 0; w < numWaves; ++w)
        EXPECT_EQ (*waveState().displayFlags[(size_t) w], w == 2) << w;

    EXPECT_FLOAT_EQ (displayed (2, 4000), 0.8f);
}

TEST_F (WaveProcessorTest, TheLfoPlaysTheOldTablesWholeUntilTheNewOnesAreTraded)
{
    setPoint (0, 0, 100, 0.9f, 3);
    const auto before = played (0);
    int calls = 0;

    while (wave (0).isRebuilding())
    {
        ASSERT_EQ (played (0), before) << "after " << calls << " calls";
        processCall();
        ++calls;
    }

    EXPECT_NE (played (0), before);
    EXPECT_EQ (calls, 3) << "the curve, levels 1 ... 11, level 0 with the trade";
}

TEST_F (WaveProcessorTest, ThePlayedWaveIsRebuiltFirst)
{
    processor->applyParameter (ParameterLayout::usedWave, ParameterRecord::valueOfStep (3, numWaves));
    setPoint (0, 0, 100, 0.9f, 3);
    setPoint (3, 0, 100, 0.9f, 3);
    processCall();

    EXPECT_TRUE (wave (3).isMidRebuild());
    EXPECT_TRUE (wave (0).dirty);
}

TEST_F (WaveProcessorTest, ProgramLoadEmptiesEveryUndoHistory)
{
    for (int w : { 0, 9 })
    {
        auto& history = waveState().history (w);
        history.entries.resize (2);
        history.position = 1;
    }

    postEvent (*processor, EventKinds::statusText);
    EXPECT_EQ (waveState().history (9).entries.size(), 2u) << "other kinds leave the histories alone";

    postEvent (*processor, EventKinds::programLoaded);

    for (int w = 0; w < numWaves; ++w)
    {
        EXPECT_EQ (waveState().history (w).position, -1) << w;
        EXPECT_TRUE (waveState().history (w).entries.empty()) << w;
    }

    // What the editor records after the load stays.
    waveState().history (0).entries.resize (1);
    waveState().history (0).position = 0;
    EXPECT_EQ (waveState().history (0).entries.size(), 1u);
    EXPECT_EQ (waveState().history (0).position, 0);
}
