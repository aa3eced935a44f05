// The curve editor's view: coordinates, following parameters and events, and what it paints.

#include "WaveControlTesting.h"
#include "../gui/ControlTesting.h"

#include "events/EventKinds.h"

#include <gtest/gtest.h>

using namespace WaveControlTesting;

namespace
{
    const juce::Colour productColour { 0xffec7811 };

    struct WaveControlView : testing::Test
    {
        Rig rig;
        WaveControl& view = *rig.view;

        // In the transposed layout a pixel is (value, time).
        juce::Colour at (const juce::Image& image, float value, int time) { return image.getPixelAt ((int) value, time); }

        // A flat wave at y: every used slot on the same value gives a constant curve.
        void drawFlatWave (int wave, float y)
        {
            rig.clearWave (wave);
            rig.setPoint (wave, 0, 1024, y, 1);
            rig.setPoint (wave, 1, 5120, y, 1);
            rig.settle();
        }

        // The processor's play position puts a light trail on the curve; a short one, at rows 306
        // to 316, keeps the colour of the rest plain.
        void shortTrail() { view.setPlayPosition (0.5f, 0.05f); }

        bool isOrange (juce::Colour c) { return c.getAlpha() > 0xf0 && c.getSaturation() > 0.8f && c.getRed() > 0xd0; }
    };

    bool isGrey (juce::Colour c) { return c.getAlpha() > 0xf0 && c.getSaturation() < 0.15f; }
}

TEST_F (WaveControlView, MapsPointsToPixelsAndBackInTheProductsTransposedLayout)
{
    ASSERT_NE (rig.view, nullptr);
    EXPECT_EQ (view.getBounds(), juce::Rectangle<int> (35, 0, 273, 632));
    EXPECT_EQ (view.timeOf (0), 26.0f);
    EXPECT_FLOAT_EQ (view.timeOf (8191), 606.0f - 580.0f / 8192.0f);
    EXPECT_EQ (view.valueOf (1.0f), 11.0f);
    EXPECT_EQ (view.valueOf (0.0f), 262.0f);
    EXPECT_EQ (view.xAt (605), 8177);
    EXPECT_EQ (view.yAt (11), 1.0f);
    EXPECT_EQ (view.yAt (262), 0.0f);
    EXPECT_EQ (view.yAt (300), 0.0f) << "clamped";
    EXPECT_FLOAT_EQ (view.normalizedTimeAt (316), 0.5f);
    EXPECT_EQ (view.normalizedTimeAt (700), 1.0f);
    EXPECT_EQ (view.toTimeValue ({ 5, 300 }), juce::Point<int> (300, 5));
}

TEST_F (WaveControlView, NumbersThePointParametersWithTheSecondHalfOfTheSlotsAfterAllFirstHalves)
{
    const int first = rig.waveState().firstPointParameter;
    ASSERT_EQ (first, ParameterLayout::firstPointParameter);

    struct Case { int wave, slot; Field field; int offset; };
    for (const auto& c : { Case { 0, 0, ParameterLayout::pointX, 0 },
                           Case { 3, 5, ParameterLayout::pointY, 3 * (20 * 3 + 5) + 1 },
                           Case { 3, 25, ParameterLayout::pointType, 3 * (20 * 3 + 25 + 180) + 2 },
                           Case { 9, 39, ParameterLayout::pointType, 1199 } })
    {
        EXPECT_EQ (view.pointParameter (c.wave, c.slot, c.field), first + c.offset) << c.wave << "/" << c.slot;
        const auto back = view.pointAt (first + c.offset);
        EXPECT_EQ (back.wave, c.wave);
        EXPECT_EQ (back.slot, c.slot);
        EXPECT_EQ (back.field, c.field);
    }
}

TEST_F (WaveControlView, FollowsHostWritesOfPointsAtTheNextTickAndShowsTheVisibleWave)
{
    rig.clearWave (4);
    rig.settle();
    rig.setPoint (4, 25, 3000, 0.25f, 3);
    rig.process();
    EXPECT_NE (view.getVisibleWave(), 4);
    EXPECT_EQ (rig.waveState().waves[4].type[25], 0) << "not before the editor's tick";

    rig.editor->refresh();
    EXPECT_EQ (rig.waveState().waves[4].x[25], 3000);
    EXPECT_EQ (rig.waveState().waves[4].y[25], 0.25f);
    EXPECT_EQ (rig.waveState().waves[4].type[25], 3);

    rig.processor.setParameter (ParameterLayout::visibleWave, 0.45f);   // step 4 of 10
    rig.process();
    rig.editor->refresh();
    EXPECT_EQ (view.getVisibleWave(), 4);

    // The marker of the new point sits where its x and y say.
    const auto image = rig.snapshot();
    EXPECT_TRUE (ControlTesting::near (at (image, view.valueOf (0.25f), (int) view.timeOf (3000)),
                                       juce::Colour (0xf0ffffff).withAlpha ((juce::uint8) 0xff), 16));
}

TEST_F (WaveControlView, ItsPointSettersWriteOnlyChangesOfUnlockedSlots)
{
    rig.clearWave (2);
    rig.settle();
    const int x = view.pointParameter (2, 7, ParameterLayout::pointX);
    const int type = view.pointParameter (2, 7, ParameterLayout::pointType);

    view.setPoint (2, 7, 4000, 0.75f, 2);
    EXPECT_EQ (rig.editor->mirrorEntry (x).step, 4000);
    EXPECT_EQ (rig.waveState().waves[2].x[7], 4000) << "the editor tells the view at once";
    EXPECT_EQ (rig.waveState().waves[2].type[7], 2);

    view.clearPoints (2);
    EXPECT_EQ (rig.editor->mirrorEntry (type).step, 0);
    EXPECT_EQ (rig.waveState().waves[2].type[7], 0);
}

TEST_F (WaveControlView, AnEmptyWaveDrawsAFlatLineAtTheCentreAndNoMarkers)
{
    rig.clearWave (0);
    rig.settle();
    shortTrail();
    const auto image = rig.snapshot();

    for (int time : { 30, 200, 450, 600 })
    {
        EXPECT_TRUE (isOrange (image.getPixelAt (135, time))) << time;
        EXPECT_TRUE (isOrange (image.getPixelAt (136, time))) << time;
        EXPECT_EQ (image.getPixelAt (132, time).getAlpha(), 0) << time;
    }
}

TEST_F (WaveControlView, DrawsTheRenderedCurveItsContinuationAndItsMarkersInTheProductColour)
{
    drawFlatWave (0, 0.75f);   // a table of 0.5: the curve at 136 − 125 · 0.5 = 73.5
    shortTrail();
    const auto image = rig.snapshot();

    EXPECT_TRUE (isOrange (image.getPixelAt (73, 300)));
    EXPECT_EQ (image.getPixelAt (135, 300).getAlpha(), 0) << "nothing left at the centre";

    // Into the margins the curve goes on darker.
    const auto margin = image.getPixelAt (73, 10);
    EXPECT_GT (margin.getAlpha(), 0xf0);
    EXPECT_LT (margin.getBrightness(), 0.5f);
    EXPECT_GT (margin.getRed(), margin.getBlue());

    // The markers of type 1 at x = 1024 (98.5 px) and x = 5120 (388.5 px): a light ring of radius 2.5.
    EXPECT_GT (image.getPixelAt (76, 98).getBrightness(), 0.75f);
    EXPECT_GT (image.getPixelAt (76, 388).getBrightness(), 0.75f);
    EXPECT_GT (image.getPixelAt (73, 100).getBrightness(), 0.75f);
}

TEST_F (WaveControlView, DrawsEachPointTypesMarker)
{
    // At (98.5, 136.5): pixel (136, 98) is the centre; (139, 98) lies 2.5 px to the side.
    struct Case { int type; bool whiteCentre; bool whiteAtThree; };
    for (const auto& c : { Case { 1, false, false }, Case { 2, true, false }, Case { 3, true, true } })
    {
        rig.clearWave (0);
        rig.setPoint (0, 0, 1024, 0.5f, c.type);
        rig.settle();
        const auto image = rig.snapshot();
        const auto white = [] (juce::Colour p) { return p.getBrightness() > 0.9f && p.getSaturation() < 0.1f; };

        EXPECT_EQ (white (image.getPixelAt (136, 98)), c.whiteCentre) << c.type;
        EXPECT_EQ (white (image.getPixelAt (139, 98)), c.whiteAtThree) << c.type;
    }
}

TEST_F (WaveControlView, TripletsMoveTheStrongTimeLinesToThirds)
{
    rig.clearWave (0);
    rig.settle();

    // The rows where all three time grids meet (the strongest lines), in a column free of value lines.
    const auto strongest = [this]
    {
        const auto image = rig.snapshot();
        std::vector<int> rows;
        int best = 0;

        for (int time = 27; time < 605; ++time)
        {
            const int alpha = image.getPixelAt (30, time).getAlpha();

            if (alpha > best)
                rows.clear();
            if (alpha >= best && alpha > 0)
                rows.push_back (time);

            best = std::max (best, alpha);
        }

        return rows;
    };

    EXPECT_EQ (strongest(), (std::vector<int> { 171, 316, 461 }));
    rig.waveState().showTriplets = true;
    EXPECT_EQ (strongest(), (std::vector<int> { 219, 412 }));
}

TEST_F (WaveControlView, TurnsGreyWhenTheHostReleasesProcessingAndOrangeWhenItPreparesAgain)
{
    rig.clearWave (0);
    rig.settle();
    shortTrail();
    auto& gui = rig.editor->getGuiDispatcher();

    rig.processor.releaseResources();
    gui.deliverQueued();
    EXPECT_TRUE (view.hasInactiveLook());
    EXPECT_TRUE (isGrey (rig.snapshot().getPixelAt (135, 300)));

    rig.processor.prepareToPlay (48000.0, 512);
    gui.deliverQueued();
    EXPECT_FALSE (view.hasInactiveLook());
    EXPECT_TRUE (isOrange (rig.snapshot().getPixelAt (135, 300)));
}

TEST_F (WaveControlView, ThePlayTrailFollowsThePhaseOrStaysFixedAboveTwoPointEightHertz)
{
    EXPECT_FALSE (view.isPlayPositionShown()) << "nothing rendered since the editor opened";

    struct Case { float phase, rate, start, end; };
    for (const auto& c : { Case { 0.6f, 3.0f, 0.2f, 0.999f },
                           Case { 0.6f, 2.8f, 0.6f - 2.8f / 2.9f + 1.0f, 0.6f },
                           Case { 0.1f, 1.0f, 0.1f - 1.0f / 2.9f + 1.0f, 0.1f },
                           Case { 1.5f, 0.5f, 0.5f - 0.5f / 2.9f, 0.5f } })
    {
        view.setPlayPosition (c.phase, c.rate);
        EXPECT_TRUE (view.isPlayPositionShown());
        EXPECT_NEAR (view.getTrailStart(), c.start, 1.0e-6f) << c.phase << " at " << c.rate;
        EXPECT_NEAR (view.getTrailEnd(), c.end, 1.0e-6f) << c.phase << " at " << c.rate;
    }
}

TEST_F (WaveControlView, TheTrailLightensTheCurveUpToThePlayPositionAndWrapsPastTheCycleEnd)
{
    rig.clearWave (0);
    rig.settle();
    const auto saturation = [this] (int time) { return rig.snapshot().getPixelAt (135, time).getSaturation(); };
    shortTrail();
    const float base = saturation (200);

    view.setPlayPosition (0.5f, 1.0f);   // from 0.155 to 0.5: rows 116 ... 316
    EXPECT_LT (saturation (314), base - 0.2f);
    EXPECT_LT (saturation (250), base - 0.05f);
    EXPECT_NEAR (saturation (100), base, 0.02f);
    EXPECT_NEAR (saturation (330), base, 0.02f);

    view.setPlayPosition (0.1f, 1.0f);   // from 0.755 (464) through the end to 0.1 (84)
    EXPECT_LT (saturation (30), base - 0.05f);
    EXPECT_LT (saturation (600), base - 0.05f);
    EXPECT_NEAR (saturation (300), base, 0.02f);
}

TEST_F (WaveControlView, TheProcessorsPlayPositionReachesTheViewAtTheTick)
{
    rig.process();
    view.tick();
    EXPECT_TRUE (view.isPlayPositionShown());
    EXPECT_GE (view.getTrailEnd(), 0.0f);
    EXPECT_LT (view.getTrailEnd(), 1.0f);
}

TEST_F (WaveControlView, SetValueNameInstallsThePanFormatter)
{
    EXPECT_EQ (view.getValueName(), "Panning");
    ASSERT_NE (view.getValueFormatter(), nullptr);
    EXPECT_EQ (view.getValueFormatter() (0.25f), formatPanPosition (0.75f));
}

//==============================================================================
namespace
{
    // The oscilloscope alone: a view that draws neither grid nor curve, on the product's traces.
    struct ScopeView : testing::Test
    {
        ScopeView()
        {
            WaveControl::Options options;
            options.oscilloscope = &rig.scope();
            options.editable = false;
            options.gridAndPoints = false;
            view = &rig.editor->getBackground().addOwnedChild (
                std::make_unique<WaveControl> (*rig.editor, rig.waveState(), options));
        }

        void setZoom (float value)
        {
            rig.processor.setParameter (ParameterLayout::oscilloscopeZoom, value);
            rig.process();
            rig.scope().clearAll();
        }

        // One second of a full-scale 1 kHz sine at 1 Hz: every column of the trace sees its peaks.
        void captureSine (int traceIndex, float amplitude)
        {
            auto& trace = rig.scope().trace (traceIndex);
            trace.setSpeed (1.0f);
            trace.setPosition (0.0);
            std::array<float, 480> samples;

            for (int block = 0; block < 101; ++block)
            {
                for (size_t i = 0; i < samples.size(); ++i)
                    samples[i] = amplitude * (float) std::sin (juce::MathConstants<double>::twoPi * (double) i / 48.0);

                trace.capture (samples.data(), (int) samples.size());
            }
        }

        Rig rig;
        WaveControl* view = nullptr;
        const juce::Colour input { 0x66787878 };
    };
}

TEST_F (ScopeView, SilenceDrawsNoBars)
{
    rig.scope().clearAll();
    const auto image = view->createComponentSnapshot (view->getLocalBounds());

    for (int y = 0; y < image.getHeight(); y += 7)
        for (int x = 0; x < image.getWidth(); ++x)
            ASSERT_EQ (image.getPixelAt (x, y).getAlpha(), 0) << x << ", " << y;
}

TEST_F (ScopeView, AFullScaleLeftSineDrawsGreyBarsReachingTwoPixelsShortOfTheMarginOnTheLeftOnly)
{
    setZoom (5.0f / 13.0f);   // zoom 1
    captureSine (ScopeTraceSet::inputLeft, 1.0f);
    const auto image = view->createComponentSnapshot (view->getLocalBounds());

    for (int row = 26; row < 606; row += 29)
    {
        EXPECT_TRUE (ControlTesting::near (image.getPixelAt (14, row), input)) << row;
        EXPECT_TRUE (ControlTesting::near (image.getPixelAt (132, row), input)) << row;
        EXPECT_EQ (image.getPixelAt (12, row).getAlpha(), 0) << row;
        EXPECT_EQ (image.getPixelAt (133, row).getAlpha(), 0) << "the gap at the centre, " << row;
        EXPECT_EQ (image.getPixelAt (150, row).getAlpha(), 0) << row;
    }

    EXPECT_EQ (image.getPixelAt (100, 25).getAlpha(), 0) << "nothing in the time margin";
    EXPECT_EQ (image.getPixelAt (100, 606).getAlpha(), 0);
}

TEST_F (ScopeView, AtZoomZeroAFullScaleSignalDrawsThreePixelBars)
{
    setZoom (0.0f);
    captureSine (ScopeTraceSet::inputRight, 1.0f);
    const auto image = view->createComponentSnapshot (view->getLocalBounds());

    // Right of the gap: from 140 to 143.
    for (int x : { 140, 141, 142 })
        EXPECT_TRUE (ControlTesting::near (image.getPixelAt (x, 300), input)) << x;

    EXPECT_EQ (image.getPixelAt (139, 300).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (143, 300).getAlpha(), 0);
}

TEST_F (ScopeView, OutputBarsLieOverInputBarsInTheTintedColour)
{
    setZoom (5.0f / 13.0f);
    captureSine (ScopeTraceSet::inputLeft, 1.0f);
    captureSine (ScopeTraceSet::outputLeft, 0.5f);
    const auto image = view->createComponentSnapshot (view->getLocalBounds());
    const auto output = productColour.interpolatedWith (juce::Colours::white.withAlpha (0.4f), 0.8f)
                            .withMultipliedBrightness (0.8f);

    EXPECT_TRUE (ControlTesting::near (image.getPixelAt (20, 300), input));
    EXPECT_TRUE (ControlTesting::near (image.getPixelAt (120, 300), input.overlaidWith (output), 3));
    EXPECT_GT (image.getPixelAt (120, 300).getRed(), image.getPixelAt (120, 300).getBlue());
}
