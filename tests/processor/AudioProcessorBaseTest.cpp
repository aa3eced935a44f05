#include "events/Event.h"
#include "events/EventKinds.h"
#include "processor/AudioProcessorBase.h"

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <thread>
#include <vector>

namespace
{
    // Records the hooks of the processing loop in one log, with the transport at each range.
    struct Log
    {
        std::vector<std::string> calls;
        std::vector<double> rangePpq;
    };

    class RecordingNode : public AudioProcessorMixin
    {
    public:
        RecordingNode (AudioProcessorBase& owner, Log& sharedLog, std::string nodeName, bool* destroyedFlag = nullptr)
            : AudioProcessorMixin (owner), log (sharedLog), name (std::move (nodeName)), destroyed (destroyedFlag)
        {
        }

        ~RecordingNode() override
        {
            if (destroyed != nullptr)
                *destroyed = true;
        }

        void mergeMidiInput (juce::MidiBuffer&) override { log.calls.push_back (name + ".merge"); }
        void beginBlock (juce::AudioBuffer<float>& b) override
        {
            log.calls.push_back (name + ".begin " + std::to_string (b.getNumSamples()));
        }
        void endBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override { log.calls.push_back (name + ".end"); }

        Log& log;
        std::string name;
        bool* destroyed;
    };

    class TestProcessor : public AudioProcessorBase
    {
    public:
        TestProcessor() { finishConstruction(); }

        const juce::String getName() const override { return "test"; }
        bool acceptsMidi() const override { return true; }
        bool producesMidi() const override { return false; }
        double getTailLengthSeconds() const override { return 0.0; }

        void processMidi (juce::MidiBuffer&) override { log.calls.push_back ("processMidi"); }
        void renderRange (juce::AudioBuffer<float>&, juce::MidiBuffer&, int start, int count) override
        {
            log.calls.push_back ("range " + std::to_string (start) + " " + std::to_string (count));
            log.rangePpq.push_back (context->ppqPosition);
        }

        void process (int numSamples)
        {
            juce::AudioBuffer<float> buffer (2, numSamples);
            juce::MidiBuffer midi;
            processBlock (buffer, midi);
        }

        Log log;
    };

    struct FixedPlayHead : juce::AudioPlayHead
    {
        juce::Optional<PositionInfo> getPosition() const override { return position; }
        juce::Optional<PositionInfo> position;
    };

    class KindCounter : public EventHandler
    {
    public:
        explicit KindCounter (EventDispatcher& d) : EventHandler (d) {}
        void respond (const Event& event) override { kinds.push_back (event.getKind()); }
        std::vector<int> kinds;
    };

    std::vector<std::string> ranges (const std::vector<std::string>& calls)
    {
        std::vector<std::string> result;
        for (auto& call : calls)
            if (call.rfind ("range", 0) == 0)
                result.push_back (call);
        return result;
    }
}

TEST (AudioProcessorBase, SplitsBlocksIntoRangesOfAtMost512)
{
    struct Case { int samples; std::vector<std::string> expected; };
    const Case cases[] = {
        { 0, {} },
        { 1, { "range 0 1" } },
        { 511, { "range 0 511" } },
        { 512, { "range 0 512" } },
        { 1000, { "range 0 512", "range 512 488" } },
        { 1025, { "range 0 512", "range 512 512", "range 1024 1" } },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.samples);
        TestProcessor processor;
        processor.process (c.samples);
        EXPECT_EQ (ranges (processor.log.calls), c.expected);
    }
}

TEST (AudioProcessorBase, EachRangeSeesTheTransportAtItsFirstSample)
{
    TestProcessor processor;
    processor.prepareToPlay (48000.0, 1000);
    processor.context->tempo = 120.0; // no play head: 120 bpm, stopped, free-running
    processor.process (1000);

    const double beatsPerSample = 120.0 / (48000.0 * 60.0);
    ASSERT_EQ (processor.log.rangePpq.size(), 2u);
    EXPECT_DOUBLE_EQ (processor.log.rangePpq[0], 0.0);
    EXPECT_DOUBLE_EQ (processor.log.rangePpq[1], 512 * beatsPerSample);
    EXPECT_DOUBLE_EQ (processor.context->ppqPosition, 1000 * beatsPerSample);
    EXPECT_DOUBLE_EQ (processor.context->timeInSeconds, 1000 / 48000.0);
}

TEST (AudioProcessorBase, RunsTheNodeHooksInLoopOrderEvenForAnEmptyBlock)
{
    TestProcessor processor;
    processor.setWaveProcessor (std::make_unique<RecordingNode> (processor, processor.log, "wave"));
    processor.setMidiPorts (std::make_unique<RecordingNode> (processor, processor.log, "ports"));

    processor.process (600);
    processor.process (0);

    EXPECT_EQ (processor.log.calls, (std::vector<std::string> {
        "ports.merge", "processMidi", "wave.begin 600", "range 0 512", "range 512 88", "ports.end",
        "ports.merge", "processMidi", "wave.begin 0", "ports.end" }));
}

TEST (AudioProcessorBase, StoppedHostFreeRunsAndRestartJumpsToTheHostPosition)
{
    TestProcessor processor;
    FixedPlayHead head;
    processor.setPlayHead (&head);
    processor.prepareToPlay (44100.0, 512);

    juce::AudioPlayHead::PositionInfo info;
    info.setIsPlaying (true);
    info.setBpm (100.0);
    info.setPpqPosition (4.0);
    head.position = info;
    processor.process (441);
    EXPECT_DOUBLE_EQ (processor.context->ppqPosition, 4.0 + 441 * 100.0 / (44100.0 * 60.0));

    info.setIsPlaying (false);
    info.setPpqPosition (0.0);
    head.position = info;
    processor.process (441);
    processor.process (441);
    EXPECT_EQ (processor.context->playing, 0.0);
    EXPECT_DOUBLE_EQ (processor.context->ppqPosition, 4.0 + 3 * 441 * 100.0 / (44100.0 * 60.0));

    info.setIsPlaying (true);
    info.setPpqPosition (10.0);
    head.position = info;
    processor.process (441);
    EXPECT_DOUBLE_EQ (processor.log.rangePpq.back(), 10.0);

    processor.setPlayHead (nullptr);
}

TEST (AudioProcessorBase, RendersAt44100UntilPreparedAndPostsPrepareAndRelease)
{
    TestProcessor processor;
    KindCounter counter (processor.getEventDispatcher());
    counter.subscribe (EventKinds::processingPrepared);
    counter.subscribe (EventKinds::processingReleased);

    EXPECT_EQ (processor.context->sampleRateDouble, 44100.0);
    processor.prepareToPlay (96000.0, 64);
    EXPECT_EQ (processor.context->sampleRateDouble, 96000.0);
    EXPECT_EQ (processor.context->sampleRate, 96000.0f);
    processor.releaseResources();

    EXPECT_EQ (counter.kinds, (std::vector<int> { EventKinds::processingPrepared, EventKinds::processingReleased }));
}

TEST (AudioProcessorBase, IdleTickWorksOnlyAfter1200MsOfHostSilenceAndNeverOffline)
{
    TestProcessor processor;
    processor.setWaveProcessor (std::make_unique<RecordingNode> (processor, processor.log, "wave"));
    processor.process (16);
    processor.log.calls.clear();
    const auto last = processor.getLastProcessTime();

    processor.idleTick (last + 1200);
    EXPECT_TRUE (processor.log.calls.empty());

    processor.idleTick (last + 1201);
    EXPECT_EQ (processor.log.calls, (std::vector<std::string> { "wave.begin 1" }));

    processor.setNonRealtime (true);
    processor.idleTick (last + 5000);
    EXPECT_EQ (processor.log.calls.size(), 1u);
}

TEST (AudioProcessorBase, IdleTickSkipsWhileTheCallbackLockIsHeldElsewhere)
{
    TestProcessor processor;
    processor.setWaveProcessor (std::make_unique<RecordingNode> (processor, processor.log, "wave"));
    const auto now = processor.getLastProcessTime() + 10000;

    std::promise<void> locked, release;
    std::thread audioThread ([&]
    {
        const juce::ScopedLock lock (processor.getCallbackLock());
        locked.set_value();
        release.get_future().wait();
    });

    locked.get_future().wait();
    processor.idleTick (now);
    EXPECT_TRUE (processor.log.calls.empty());
    release.set_value();
    audioThread.join();

    processor.idleTick (now);
    EXPECT_EQ (processor.log.calls.size(), 1u);
}

TEST (AudioProcessorBase, SettingANodeDeletesThePreviousOneAndNodesShareTheBlocks)
{
    TestProcessor processor;
    Log log;
    bool firstDestroyed = false;
    auto first = std::make_unique<RecordingNode> (processor, log, "first", &firstDestroyed);
    EXPECT_EQ (first->state, processor.state);
    EXPECT_EQ (first->context, processor.context);
    EXPECT_EQ (first->parent, static_cast<AudioNode*> (&processor));

    processor.setMidiPorts (std::move (first));
    processor.setMidiPorts (std::make_unique<RecordingNode> (processor, log, "second"));
    EXPECT_TRUE (firstDestroyed);
}

TEST (AudioProcessorBase, AcceptsOnlyOneStereoInputAndOutput)
{
    TestProcessor processor;
    using Set = juce::AudioChannelSet;
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (Set::stereo());
    layout.outputBuses.add (Set::stereo());
    EXPECT_TRUE (processor.checkBusesLayoutSupported (layout));

    layout.inputBuses.getReference (0) = Set::mono();
    EXPECT_FALSE (processor.checkBusesLayoutSupported (layout));

    layout.inputBuses.getReference (0) = Set::stereo();
    layout.outputBuses.getReference (0) = Set::create5point1();
    EXPECT_FALSE (processor.checkBusesLayoutSupported (layout));
}
