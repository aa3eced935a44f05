#include "MidiDescription.h"
#include "dsp/MidiPortsProcessor.h"
#include "events/Event.h"
#include "events/EventKinds.h"
#include "processor/AudioProcessorBase.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace
{
    using MidiDescription::at;
    using MidiDescription::describe;

    using Log = std::vector<std::string>;

    class FakePort : public MidiPortsProcessor::Port
    {
    public:
        FakePort (Log& sharedLog, const juce::String& deviceName) : log (sharedLog), name (deviceName.toStdString()) {}
        ~FakePort() override { log.push_back ("close " + name); }

        void start() override { log.push_back ("start " + name); }
        void stop() override { log.push_back ("stop " + name); }

    private:
        Log& log;
        std::string name;
    };

    // A MIDI system of named ports that records what is done to them; ports in failing never open.
    struct FakeMidiSystem
    {
        MidiPortsProcessor::PortOpener opener()
        {
            return [this] (const juce::MidiDeviceInfo& device, juce::MidiInputCallback& callback)
                       -> std::unique_ptr<MidiPortsProcessor::Port>
            {
                log.push_back ("open " + device.name.toStdString());

                if (failing.count (device.name) > 0)
                    return nullptr;

                portCallback = &callback;
                return std::make_unique<FakePort> (log, device.name);
            };
        }

        // What the driver's thread would deliver from the open port.
        void send (const juce::MidiMessage& message) { portCallback->handleIncomingMidiMessage (nullptr, message); }

        static juce::Array<juce::MidiDeviceInfo> devices (int count)
        {
            juce::Array<juce::MidiDeviceInfo> list;

            for (int i = 1; i <= count; ++i)
                list.add ({ "Port " + juce::String (i), "port-id-" + juce::String (i) });

            return list;
        }

        Log log;
        std::set<juce::String> failing;
        juce::MidiInputCallback* portCallback = nullptr;
    };

    class TestProcessor : public AudioProcessorBase
    {
    public:
        // The eight parameters before the MIDI ones are stood in for by placeholders, so the
        // factory program's values land on the records they belong to.
        static constexpr int firstMidiParameter = ParameterLayout::midiIn;

        explicit TestProcessor (std::function<std::unique_ptr<MidiPortsProcessor> (AudioProcessorBase&)> makeNode)
        {
            auto node = makeNode (*this);
            ports = node.get();
            setMidiPorts (std::move (node));
            addReservedParameters (firstMidiParameter);
            ports->registerMidiInputParameters();
            finishConstruction();
            ports->performPendingPortWork();
        }

        const juce::String getName() const override { return "test"; }
        bool acceptsMidi() const override { return true; }
        bool producesMidi() const override { return false; }
        double getTailLengthSeconds() const override { return 0.0; }

        void processMidi (juce::MidiBuffer& midi) override
        {
            seen = describe (midi);
            numSeen += (int) seen.size();
        }
        void renderRange (juce::AudioBuffer<float>&, juce::MidiBuffer&, int, int) override {}

        // Writes a step as the editor does and applies it as the next block's drain does.
        void choose (const ParameterRecord& record, int step)
        {
            setParameterStepFromGui (record.index, step);
            drainParameterQueue();
        }

        // "Midi In", then the port work that the message thread's timer would do.
        void choosePort (int step)
        {
            choose (*state->midiIn, step);
            ports->performPendingPortWork();
        }

        void process (juce::MidiBuffer& midi)
        {
            juce::AudioBuffer<float> buffer (2, blockLength);
            processBlock (buffer, midi);
        }

        static constexpr int blockLength = 64;
        MidiPortsProcessor* ports = nullptr;
        Log seen;       // the block's MIDI as processMidi received it
        int numSeen = 0;
    };

    class ErrorLog : public EventHandler
    {
    public:
        explicit ErrorLog (EventDispatcher& dispatcher) : EventHandler (dispatcher) { subscribe (EventKinds::errorMessage); }
        void respond (const Event& event) override { texts.push_back (event.getString()); }
        std::vector<juce::String> texts;
    };

    const auto hostNote = juce::MidiMessage::noteOn (1, 48, (juce::uint8) 90);
    const auto hostLaterNote = juce::MidiMessage::noteOn (1, 50, (juce::uint8) 90);
    const auto portNote = juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100);
    const auto portOtherNote = juce::MidiMessage::noteOn (1, 62, (juce::uint8) 100);

    // A processor with three pretend ports, Port 1 ... Port 3.
    class MidiPortsProcessorTest : public testing::Test
    {
    protected:
        static constexpr int numDevices = 3;

        std::unique_ptr<MidiPortsProcessor> makeNode (AudioProcessorBase& owner)
        {
            return std::make_unique<MidiPortsProcessor> (owner, FakeMidiSystem::devices (numDevices), midiSystem.opener());
        }

        FakeMidiSystem midiSystem;
        std::unique_ptr<TestProcessor> processor = std::make_unique<TestProcessor> ([this] (auto& owner) { return makeNode (owner); });
        ErrorLog errors { processor->getEventDispatcher() };
        StateBlock& s = *processor->state;
    };
}

TEST_F (MidiPortsProcessorTest, RegistersTheFourParametersWithOneMidiInStepPerInputAndOneForNone)
{
    ASSERT_NE (s.midiIn, nullptr);
    EXPECT_EQ (s.midiIn->steps, numDevices + 1);
    EXPECT_EQ (processor->ports->getMidiInputNames(), juce::StringArray ({ "Port 1", "Port 2", "Port 3" }));

    const ParameterRecord* records[] = { s.midiIn, &s.midiInChannel, &s.midiInOctave, &s.midiInNote };
    const char* names[] = { "Midi In", "Midi In Channel", "Midi In Octave", "Midi In Note" };

    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ (records[i]->index, TestProcessor::firstMidiParameter + i);
        EXPECT_EQ (processor->getParameterRecord (records[i]->index), records[i]);
        EXPECT_EQ (records[i]->name, names[i]);
    }
}

// This machine may have no MIDI system at all: then "Midi In" offers only "no port" and the host's
// MIDI passes untouched.
TEST (MidiPortsProcessorSystem, WorksWithWhateverInputsTheSystemHas)
{
    TestProcessor processor ([] (AudioProcessorBase& owner) { return std::make_unique<MidiPortsProcessor> (owner); });
    const auto systemInputs = juce::MidiInput::getAvailableDevices();

    EXPECT_EQ (processor.state->midiIn->steps, systemInputs.size() + 1);
    EXPECT_EQ (processor.ports->getMidiInputNames().size(), systemInputs.size());
    EXPECT_TRUE (processor.ports->isMidiInputClosed());

    juce::MidiBuffer midi;
    midi.addEvent (hostNote, 3);
    processor.process (midi);
    EXPECT_EQ (describe (midi), std::vector<std::string> { at (3, hostNote) });
}

TEST_F (MidiPortsProcessorTest, OpensPortsOnlyInThePortWorkAndClosesTheOldOneFirst)
{
    processor->choose (*s.midiIn, 1);
    EXPECT_TRUE (midiSystem.log.empty()) << "the drain may run on the audio thread";
    EXPECT_TRUE (processor->ports->isMidiInputClosed());

    processor->ports->performPendingPortWork();
    EXPECT_FALSE (processor->ports->isMidiInputClosed());

    processor->choosePort (2);
    processor->choosePort (0);
    EXPECT_TRUE (processor->ports->isMidiInputClosed());
    EXPECT_EQ (midiSystem.log, (Log { "open Port 1", "start Port 1",
                                      "stop Port 1", "close Port 1", "open Port 2", "start Port 2",
                                      "stop Port 2", "close Port 2" }));
    EXPECT_TRUE (errors.texts.empty());
}

TEST_F (MidiPortsProcessorTest, AFailingPortPostsTheErrorOncePerAttemptAndLeavesTheHostsMidi)
{
    midiSystem.failing = { "Port 2" };
    processor->choosePort (1);
    processor->choosePort (2);

    EXPECT_EQ (midiSystem.log, (Log { "open Port 1", "start Port 1", "stop Port 1", "close Port 1", "open Port 2" }));
    EXPECT_EQ (errors.texts, std::vector<juce::String> { MidiPortsProcessor::cannotOpenPortMessage });
    EXPECT_TRUE (processor->ports->isMidiInputClosed());
    EXPECT_EQ (s.midiIn->currentStep(), 2) << "the parameter keeps the chosen port";

    processor->ports->performPendingPortWork();
    EXPECT_EQ (errors.texts.size(), 1u) << "no retry without a new choice";

    processor->choosePort (0);
    processor->choosePort (2);
    EXPECT_EQ (errors.texts.size(), 2u);

    juce::MidiBuffer midi;
    midi.addEvent (hostNote, 5);
    processor->process (midi);
    EXPECT_EQ (processor->seen, Log { at (5, hostNote) });
    EXPECT_EQ (describe (midi), Log { at (5, hostNote) });
}

TEST_F (MidiPortsProcessorTest, PortMessagesJoinTheNextBlockAtItsStartOnce)
{
    processor->choosePort (1);
    midiSystem.send (portNote);
    midiSystem.send (portOtherNote);

    juce::MidiBuffer midi;
    midi.addEvent (hostNote, 0);
    midi.addEvent (hostLaterNote, 20);
    processor->process (midi);
    EXPECT_EQ (processor->seen, (Log { at (0, hostNote), at (0, portNote), at (0, portOtherNote), at (20, hostLaterNote) }));

    juce::MidiBuffer next;
    next.addEvent (hostNote, 7);
    processor->process (next);
    EXPECT_EQ (processor->seen, Log { at (7, hostNote) });
}

TEST_F (MidiPortsProcessorTest, EmptiesTheBlocksMidiOnlyWhileAPortIsOpen)
{
    struct Case { int port; bool fails; bool emptied; };
    const Case cases[] = {
        { 0, false, false },
        { 1, false, true },
        { 3, true, false },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.port);
        midiSystem.failing = c.fails ? std::set<juce::String> { "Port " + juce::String (c.port) } : std::set<juce::String> {};
        processor->choosePort (c.port);

        juce::MidiBuffer midi;
        midi.addEvent (hostNote, 5);
        processor->process (midi);
        EXPECT_EQ (processor->seen, Log { at (5, hostNote) });
        EXPECT_EQ (midi.isEmpty(), c.emptied);
    }
}

TEST_F (MidiPortsProcessorTest, MidiInChannelFiltersThePortsMessages)
{
    const auto channel3 = juce::MidiMessage::noteOn (3, 64, (juce::uint8) 80);
    const auto midiClock = juce::MidiMessage::midiClock();

    struct Case { int step; Log expected; };
    const Case cases[] = {
        { 1, { at (0, portNote) } }, // the factory program's channel
        { 0, { at (0, portNote), at (0, channel3), at (0, midiClock) } },
        { 3, { at (0, channel3) } },
    };

    processor->choosePort (1);

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.step);
        processor->choose (s.midiInChannel, c.step);

        for (auto& message : { portNote, channel3, midiClock })
            midiSystem.send (message);

        juce::MidiBuffer midi;
        processor->process (midi);
        EXPECT_EQ (processor->seen, c.expected);
    }
}

TEST_F (MidiPortsProcessorTest, MessagesLeftByAClosedPortNeverReachALaterOne)
{
    processor->choosePort (1);
    midiSystem.send (portNote);
    processor->choosePort (0);

    juce::MidiBuffer whileClosed;
    processor->process (whileClosed);
    EXPECT_TRUE (processor->seen.empty());

    processor->choosePort (2);
    juce::MidiBuffer midi;
    processor->process (midi);
    EXPECT_TRUE (processor->seen.empty());
}

TEST_F (MidiPortsProcessorTest, DestroyingTheNodeClosesItsPortAndDropsPendingPortWork)
{
    processor->choosePort (1);
    processor->choose (*s.midiIn, 2);
    processor.reset();

    EXPECT_EQ (midiSystem.log, (Log { "open Port 1", "start Port 1", "stop Port 1", "close Port 1" }));
}

// The driver's thread feeds the open port while the audio thread processes blocks and the message
// thread changes the channel: every message is merged exactly once.
TEST (MidiPortsProcessorConcurrent, MergesEveryPortMessageWhileTheChannelChanges)
{
    constexpr int numMessages = 4000;
    FakeMidiSystem midiSystem;
    TestProcessor processor ([&] (AudioProcessorBase& owner)
    {
        return std::make_unique<MidiPortsProcessor> (owner, FakeMidiSystem::devices (1), midiSystem.opener());
    });
    processor.choosePort (1);
    ASSERT_FALSE (processor.ports->isMidiInputClosed());

    std::atomic<bool> driverDone { false };
    std::thread driver ([&]
    {
        for (int i = 0; i < numMessages; ++i)
            midiSystem.send (juce::MidiMessage::noteOn (1, i % 128, (juce::uint8) 100));

        driverDone.store (true);
    });

    std::thread audio ([&]
    {
        juce::MidiBuffer midi;

        while (! driverDone.load())
        {
            midi.clear();
            processor.process (midi);
        }

        processor.process (midi); // the rest, now that the driver has finished
    });

    // Channel 1 and "all channels" both let the notes through.
    for (int i = 0; ! driverDone.load(); ++i)
        processor.setParameterStepFromGui (processor.state->midiInChannel.index, i % 2);

    driver.join();
    audio.join();
    EXPECT_EQ (processor.numSeen, numMessages);
}
