#include "WaveDrawing.h"
#include "dsp/OscilloscopeProcessor.h"
#include "dsp/WaveCubic.h"
#include "dsp/WaveLfo.h"
#include "processor/AudioProcessorNotesBase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <thread>

namespace
{
    constexpr int span = SignalBuffer::capacity;
    constexpr int columns = ScopeTrace::defaultColumns;

    // A processor that owns an oscilloscope and registers its one parameter.
    class ScopeHost : public AudioProcessorNotesBase
    {
    public:
        ScopeHost()
        {
            setOscilloscope (std::make_unique<OscilloscopeProcessor> (*this));
            getOscilloscope()->registerParameters();
            finishConstruction();
        }

        const juce::String getName() const override { return "scope"; }
        bool acceptsMidi() const override { return true; }
        bool producesMidi() const override { return false; }
        double getTailLengthSeconds() const override { return 0.0; }
        void renderVoice (ToneBase&, juce::AudioBuffer<float>&, int, int) override {}
    };

    // The oscilloscope following an LFO that plays a drawn wave, capture on as while an editor is
    // open; spans run the way the note tracking runs them: input capture, the LFO, output capture.
    struct ScopeRig
    {
        ScopeRig()
        {
            WaveCubic wave { *host, state.waves[0], nullptr };
            WaveDrawing::drawAndRebuild (wave, { { 0, 0.8f, 1 } });
            scope.setScopeSource (0, &lfo);
            scope.setScopeCaptureEnabled (true);
        }

        void runSpan (float left, float right, int n = span)
        {
            buffer.clear();
            juce::FloatVectorOperations::fill (buffer.getWritePointer (0), left, n);
            juce::FloatVectorOperations::fill (buffer.getWritePointer (1), right, n);
            scope.captureInput (buffer, 0, n);
            lfo.render (n);
            scope.captureOutput (buffer, midi, 0, n);
        }

        ScopeTraceSet::Snapshot snapshot() const
        {
            ScopeTraceSet::Snapshot copy;
            EXPECT_TRUE (traces.copySnapshot (copy));
            return copy;
        }

        std::unique_ptr<ScopeHost> host = std::make_unique<ScopeHost>();
        StateBlock& state = *host->state;
        AudioProcessorMixin& scope = *host->getOscilloscope();
        ScopeTraceSet& traces = *scope.getScopeTraces (0);
        WaveLfo lfo { *host, state.loopLength, state.speed, state.speedType, state.lfoOutput };
        juce::AudioBuffer<float> buffer { 2, span };
        juce::MidiBuffer midi;
    };

    bool sameColumns (const ScopeTraceSet::Snapshot& a, const ScopeTraceSet::Snapshot& b)
    {
        for (size_t t = 0; t < (size_t) ScopeTraceSet::numTraces; ++t)
            if (a.traces[t].minimum != b.traces[t].minimum || a.traces[t].maximum != b.traces[t].maximum)
                return false;

        return true;
    }

    bool allColumnsAre (const ScopeTraceSet::Snapshot& s, int trace, float value)
    {
        const auto& columnsOf = s.traces[(size_t) trace];
        return std::all_of (columnsOf.maximum.begin(), columnsOf.maximum.begin() + columns, [value] (float v) { return v == value; })
            && std::all_of (columnsOf.minimum.begin(), columnsOf.minimum.begin() + columns, [value] (float v) { return v == value; });
    }
}

TEST (OscilloscopeProcessor, RegistersItsZoomAndHasOneTraceSet)
{
    auto host = std::make_unique<ScopeHost>();
    EXPECT_EQ (host->getParameterName (0), "Oscilloscope Zoom");
    EXPECT_EQ (host->getParameterRecord (0), &host->state->oscilloscopeZoom);

    auto& scope = *host->getOscilloscope();
    ASSERT_NE (scope.getScopeTraces (0), nullptr);
    EXPECT_EQ (scope.getScopeTraces (1), nullptr);
    EXPECT_EQ (scope.getScopeTraces (-1), nullptr);
    EXPECT_EQ (scope.getScopeTraces (0)->trace (0).getColumns(), columns);
}

TEST (OscilloscopeProcessor, EachSpanStartsAtTheColumnOfTheLfoPhase)
{
    const struct
    {
        const char* what;
        int type, loopStep;
        float speed;
        double ppq, seconds, tempo;
    } cases[] = {
        { "Beat Synced, 1/4 at 120 bpm", WaveLfo::beatSynced, 6, 0.0f, 13.3, 0.0, 120.0 },
        { "Hertz Synced", WaveLfo::hertzSynced, 0, 0.4f, 0.0, 7.77, 120.0 },
        { "Hertz Retrig.", WaveLfo::hertzRetrig, 0, 0.4f, 0.0, 0.0, 120.0 },
        { "Beat Retrig., past a whole cycle", WaveLfo::beatRetrig, 0, 0.0f, 0.0, 0.0, 120.0 },
        { "Beat Synced, right after a tempo change", WaveLfo::beatSynced, 6, 0.0f, 13.3, 0.0, 97.0 },
        { "Beat Retrig., right after a tempo change", WaveLfo::beatRetrig, 3, 0.0f, 0.0, 0.0, 171.0 },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        auto rig = std::make_unique<ScopeRig>();
        rig->state.speedType.writeStep (c.type);
        rig->state.loopLength.writeStep (c.loopStep);
        rig->state.speed.writeValue (c.speed);

        for (int i = 0; i < 3; ++i)
            rig->runSpan (0.1f, 0.2f);

        // The same LFO state in a second LFO, which shows the phase its next render call starts from.
        rig->host->context->ppqPosition = c.ppq;
        rig->host->context->timeInSeconds = c.seconds;
        rig->host->context->tempo = c.tempo;
        WaveLfo reference { *rig->host, rig->state.loopLength, rig->state.speed, rig->state.speedType, rig->state.lfoOutput };
        reference.noteOn (0, 0.0f, rig->lfo.phase());
        reference.render (0);

        rig->scope.captureInput (rig->buffer, 0, 0);

        for (int t = 0; t < ScopeTraceSet::numTraces; ++t)
        {
            const auto& trace = rig->traces.trace (t);
            EXPECT_NEAR (trace.getPosition(), reference.phase() * columns, 1e-6) << t;
            EXPECT_EQ (trace.getSpeed(), (float) reference.rate()) << t;
        }
    }
}

TEST (OscilloscopeProcessor, CapturesNothingUntilCaptureIsTurnedOn)
{
    auto rig = std::make_unique<ScopeRig>();
    rig->scope.setScopeCaptureEnabled (false);
    rig->state.speedType.writeStep (WaveLfo::hertzRetrig);
    rig->state.speed.writeValue (1.0f);   // one span covers the screen
    rig->runSpan (0.5f, -0.5f);

    for (int t = 0; t < ScopeTraceSet::numTraces; ++t)
        EXPECT_TRUE (allColumnsAre (rig->snapshot(), t, 0.0f)) << t;

    rig->scope.setScopeCaptureEnabled (true);
    rig->runSpan (0.5f, -0.5f);
    EXPECT_TRUE (allColumnsAre (rig->snapshot(), ScopeTraceSet::inputLeft, 0.5f));
    EXPECT_TRUE (allColumnsAre (rig->snapshot(), ScopeTraceSet::outputRight, -0.5f));
}

TEST (OscilloscopeProcessor, OutputContinuesFromThePositionsOfTheInput)
{
    auto rig = std::make_unique<ScopeRig>();
    rig->state.speedType.writeStep (WaveLfo::hertzRetrig);
    rig->state.speed.writeValue (0.45f);   // about 8.5 Hz: some 10 samples per column

    for (int i = 0; i < 40; ++i)
        rig->runSpan (std::sin ((float) i), std::cos ((float) i));

    const auto s = rig->snapshot();
    EXPECT_EQ (s.traces[ScopeTraceSet::outputLeft].maximum, s.traces[ScopeTraceSet::inputLeft].maximum);
    EXPECT_EQ (s.traces[ScopeTraceSet::outputRight].minimum, s.traces[ScopeTraceSet::inputRight].minimum);
    EXPECT_NE (s.traces[ScopeTraceSet::inputLeft].maximum, s.traces[ScopeTraceSet::inputRight].maximum);
}

TEST (OscilloscopeProcessor, OneChannelBufferShowsChannelZeroInBothTraces)
{
    auto rig = std::make_unique<ScopeRig>();
    rig->state.speedType.writeStep (WaveLfo::hertzRetrig);
    rig->state.speed.writeValue (1.0f);   // one span covers the screen
    juce::AudioBuffer<float> mono { 1, span };
    juce::FloatVectorOperations::fill (mono.getWritePointer (0), 0.25f, span);

    for (int i = 0; i < 3; ++i)
    {
        rig->scope.captureInput (mono, 0, span);
        rig->lfo.render (span);
        rig->scope.captureOutput (mono, rig->midi, 0, span);
    }

    const auto s = rig->snapshot();

    for (int t = 0; t < ScopeTraceSet::numTraces; ++t)
        EXPECT_TRUE (allColumnsAre (s, t, 0.25f)) << t;
}

TEST (OscilloscopeProcessor, TracesFreezeWhileAOneShotHoldsAndTheNextNoteClearsThem)
{
    // "Beat 1-Shot" over a 128th note at 120 bpm: 64 Hz, a cycle of about 689 samples.
    auto rig = std::make_unique<ScopeRig>();
    rig->state.speedType.writeStep (WaveLfo::beatOneShot);
    rig->state.loopLength.writeStep (0);
    rig->lfo.render (0);
    rig->lfo.noteOn (60, 1.0f, 0.0);

    rig->runSpan (0.5f, 0.5f);
    rig->runSpan (0.5f, 0.5f);   // the cycle ends in this span
    const auto held = rig->snapshot();
    ASSERT_NE (held.traces[ScopeTraceSet::inputLeft].maximum[300], 0.0f);

    rig->runSpan (-0.9f, 0.9f);
    rig->runSpan (-0.9f, 0.9f);
    EXPECT_TRUE (sameColumns (rig->snapshot(), held)) << "nothing is captured while the end value holds";

    rig->scope.noteStarted();
    rig->lfo.noteOn (60, 1.0f, 0.0);
    const auto cleared = rig->snapshot();

    for (int t = 0; t < ScopeTraceSet::numTraces; ++t)
        EXPECT_TRUE (allColumnsAre (cleared, t, 0.0f)) << t;

    rig->runSpan (-0.9f, 0.9f);
    EXPECT_EQ (rig->snapshot().traces[ScopeTraceSet::inputLeft].minimum[100], -0.9f) << "capture restarts";
}

TEST (OscilloscopeProcessor, NotesClearTheTracesOnlyInTypesThatRestartAtNotes)
{
    for (int type = 0; type < 7; ++type)
    {
        SCOPED_TRACE (type);
        auto rig = std::make_unique<ScopeRig>();
        rig->state.speedType.writeStep (type);
        rig->state.speed.writeValue (0.5f);

        for (int i = 0; i < 4; ++i)
            rig->runSpan (0.5f, 0.5f);

        rig->scope.noteStarted();
        const bool restarts = type != WaveLfo::beatSynced && type != WaveLfo::hertzSynced;
        EXPECT_EQ (allColumnsAre (rig->snapshot(), ScopeTraceSet::inputLeft, 0.0f), restarts);
    }
}

TEST (OscilloscopeProcessor, ConcurrentSnapshotsNeverMixTwoSpans)
{
    // At about 5 kHz every span redraws the whole screen with that span's one value, so a copy
    // that mixed two captures would show two values in one trace.
    auto rig = std::make_unique<ScopeRig>();
    rig->state.speedType.writeStep (WaveLfo::hertzRetrig);
    rig->state.speed.writeValue (1.0f);
    rig->runSpan (0.0f, 0.0f);

    constexpr int numSpans = 3000;
    std::atomic<bool> done { false };
    int torn = 0;
    int copies = 0;

    std::thread reader ([&]
    {
        ScopeTraceSet::Snapshot s;

        while (! done.load())
        {
            if (! rig->traces.copySnapshot (s))
                continue;

            ++copies;

            for (int t = 0; t < ScopeTraceSet::numTraces; ++t)
                if (! allColumnsAre (s, t, s.traces[(size_t) t].maximum[0]))
                    ++torn;
        }
    });

    std::thread audio ([&]
    {
        for (int i = 1; i <= numSpans; ++i)
            rig->runSpan ((float) i, (float) -i);

        done.store (true);
    });

    audio.join();
    reader.join();

    EXPECT_EQ (torn, 0) << "of " << copies << " copies";
    const auto last = rig->snapshot();
    EXPECT_TRUE (allColumnsAre (last, ScopeTraceSet::inputLeft, (float) numSpans));
    EXPECT_TRUE (allColumnsAre (last, ScopeTraceSet::outputRight, (float) -numSpans));
}
