#include "processor/AudioProcessorNotesBase.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
    using Log = std::vector<std::string>;

    class RecordingVoice : public ToneBase
    {
    public:
        RecordingVoice (AudioNode& parentNode, Log& sharedLog) : ToneBase (parentNode), log (sharedLog) {}

        void noteOn (int n, int velocity, int flag, int value) noexcept override
        {
            ToneBase::noteOn (n, velocity, flag, value);
            log.push_back ("on " + std::to_string (n) + " " + std::to_string (velocity) + " " + std::to_string (flag)
                           + " " + std::to_string (value));
        }

        void noteOff (int n, int velocity) noexcept override
        {
            log.push_back ("off " + std::to_string (n) + " " + std::to_string (velocity));
        }

        bool isFinished() const noexcept override { return false; }
        void render (int) noexcept override {}

        Log& log;
    };

    class RecordingScope : public AudioProcessorMixin
    {
    public:
        RecordingScope (AudioProcessorBase& owner, Log& sharedLog) : AudioProcessorMixin (owner), log (sharedLog) {}

        void captureInput (juce::AudioBuffer<float>&, int start, int count) override
        {
            log.push_back ("in " + std::to_string (start) + " " + std::to_string (count));
        }

        void captureOutput (juce::AudioBuffer<float>&, juce::MidiBuffer&, int start, int count) override
        {
            log.push_back ("out " + std::to_string (start) + " " + std::to_string (count));
        }

        void noteStarted() override { log.push_back ("started"); }

        Log& log;
    };

    class NotesProcessor : public AudioProcessorNotesBase
    {
    public:
        NotesProcessor()
        {
            setOscilloscope (std::make_unique<RecordingScope> (*this, log));
            addPermanentVoice (voice);
            finishConstruction();
        }

        const juce::String getName() const override { return "notes"; }
        bool acceptsMidi() const override { return true; }
        bool producesMidi() const override { return false; }
        double getTailLengthSeconds() const override { return 0.0; }

        void renderVoice (ToneBase& v, juce::AudioBuffer<float>&, int start, int count) override
        {
            EXPECT_EQ (&v, &voice);
            log.push_back ("render " + std::to_string (start) + " " + std::to_string (count));
            renderPpq.push_back (context->ppqPosition);
        }

        void process (int numSamples, juce::MidiBuffer& midi)
        {
            juce::AudioBuffer<float> buffer (2, numSamples);
            processBlock (buffer, midi);
        }

        // Only what the voice heard.
        Log notes() const
        {
            Log heard;

            for (auto& entry : log)
                if (entry.rfind ("on ", 0) == 0 || entry.rfind ("off ", 0) == 0)
                    heard.push_back (entry);

            return heard;
        }

        Log log;
        std::vector<double> renderPpq;
        RecordingVoice voice { *this, log };
    };

    juce::MidiBuffer midiOf (std::initializer_list<std::pair<juce::MidiMessage, int>> events)
    {
        juce::MidiBuffer midi;

        for (auto& [message, time] : events)
            midi.addEvent (message, time);

        return midi;
    }
}

TEST (AudioProcessorNotesBase, SplitsRangesAtNoteEvents)
{
    const struct
    {
        const char* what;
        int blockSize;
        juce::MidiBuffer midi;
        Log expected;
    } cases[] = {
        { "two note-ons at sample 100", 512,
          midiOf ({ { juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 100 },
                    { juce::MidiMessage::noteOn (2, 62, (juce::uint8) 90), 100 } }),
          { "in 0 100", "render 0 100", "out 0 100", "started", "on 60 100 1 -1", "started", "on 62 90 1 -1",
            "in 100 412", "render 100 412", "out 100 412" } },
        { "a note-on in the second range of a block", 1024,
          midiOf ({ { juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 600 } }),
          { "in 0 512", "render 0 512", "out 0 512", "in 512 88", "render 512 88", "out 512 88", "started",
            "on 60 100 1 -1", "in 600 424", "render 600 424", "out 600 424" } },
        { "a note-on at sample 0 renders an empty range first", 64,
          midiOf ({ { juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 0 } }),
          { "in 0 0", "render 0 0", "out 0 0", "started", "on 60 100 1 -1", "in 0 64", "render 0 64", "out 0 64" } },
        { "velocity 0 is a note-off and starts nothing", 256,
          midiOf ({ { juce::MidiMessage (0x90, 60, 0), 10 } }),
          { "in 0 10", "render 0 10", "out 0 10", "off -1 0", "in 10 246", "render 10 246", "out 10 246" } },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        auto processor = std::make_unique<NotesProcessor>();
        auto midi = c.midi;
        processor->process (c.blockSize, midi);
        EXPECT_EQ (processor->log, c.expected);
        EXPECT_EQ (processor->getNumPendingEvents(), 0);
    }
}

TEST (AudioProcessorNotesBase, TriggerNoteFiltersNotesButNotAllNotesOff)
{
    auto processor = std::make_unique<NotesProcessor>();
    processor->setTriggerNote (60);
    auto midi = midiOf ({ { juce::MidiMessage::noteOn (1, 61, (juce::uint8) 100), 1 },
                          { juce::MidiMessage::noteOn (1, 60, (juce::uint8) 80), 2 },
                          { juce::MidiMessage::noteOff (1, 61), 3 },
                          { juce::MidiMessage::noteOff (1, 60), 4 },
                          { juce::MidiMessage::allNotesOff (5), 5 },
                          { juce::MidiMessage::controllerEvent (1, 7, 100), 6 },
                          { juce::MidiMessage::pitchWheel (1, 100), 7 } });
    processor->process (64, midi);

    EXPECT_EQ (processor->notes(), (Log { "on 60 80 1 -1", "off -1 0", "off -1 0" }));
}

TEST (AudioProcessorNotesBase, VoicesSeeTheTransportAtTheirOwnStart)
{
    // No play head: 120 bpm, and the transport runs on from wherever it is.
    auto split = std::make_unique<NotesProcessor>();
    auto plain = std::make_unique<NotesProcessor>();
    split->context->ppqPosition = plain->context->ppqPosition = 3.0;
    split->context->timeInSeconds = plain->context->timeInSeconds = 1.5;

    auto notes = midiOf ({ { juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 100 },
                           { juce::MidiMessage::noteOn (1, 64, (juce::uint8) 100), 300 } });
    juce::MidiBuffer none;
    split->process (512, notes);
    plain->process (512, none);

    const double ppqPerSample = 120.0 / (44100.0 * 60.0);
    ASSERT_EQ (split->renderPpq.size(), 3u);
    EXPECT_EQ (split->renderPpq[0], 3.0);
    EXPECT_DOUBLE_EQ (split->renderPpq[1], 3.0 + 100 * ppqPerSample);
    EXPECT_DOUBLE_EQ (split->renderPpq[2], 3.0 + 300 * ppqPerSample);

    // After the range the transport is where an unsplit range leaves it.
    EXPECT_EQ (split->context->ppqPosition, plain->context->ppqPosition);
    EXPECT_EQ (split->context->timeInSeconds, plain->context->timeInSeconds);
}

TEST (AudioProcessorNotesBase, NoteBeyondTheBlockIsHandledInTheNextBlock)
{
    auto processor = std::make_unique<NotesProcessor>();
    auto late = midiOf ({ { juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 600 } });
    juce::MidiBuffer none;
    processor->process (512, late);
    EXPECT_TRUE (processor->notes().empty());

    processor->log.clear();
    processor->process (512, none);
    EXPECT_EQ (processor->log, (Log { "in 0 88", "render 0 88", "out 0 88", "started", "on 60 100 1 -1",
                                      "in 88 424", "render 88 424", "out 88 424" }));
}

TEST (AudioProcessorNotesBase, AFloodOfNotesIsCappedInsteadOfGrowingTheQueue)
{
    auto processor = std::make_unique<NotesProcessor>();
    juce::MidiBuffer flood;

    for (int i = 0; i < AudioProcessorNotesBase::maxPendingEvents + 500; ++i)
        flood.addEvent (juce::MidiMessage::noteOn (1, i % 128, (juce::uint8) 100), 10);

    processor->process (64, flood);
    EXPECT_EQ ((int) processor->notes().size(), AudioProcessorNotesBase::maxPendingEvents);
    EXPECT_EQ (processor->getNumPendingEvents(), 0);

    // The next block starts with an empty queue and handles its own notes.
    auto one = midiOf ({ { juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 5 } });
    processor->log.clear();
    processor->process (64, one);
    EXPECT_EQ (processor->notes(), (Log { "on 60 100 1 -1" }));
}
