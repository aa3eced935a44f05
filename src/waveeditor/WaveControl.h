#pragma once

#include "../dsp/DisplayTable.h"
#include "../dsp/ScopeTraceSet.h"
#include "../dsp/WaveState.h"
#include "../gui/AudioControl.h"
#include "../gui/Palette.h"
#include "../gui/TimerSlave.h"
#include "../gui/ValueFormatters.h"
#include "../processor/ParameterLayout.h"

#include <memory>

class AudioEditorBase;

// The curve editor: shows one of the ten waves as the processor rendered it, its points, the
// time and value grids, the LFO's play position and, behind the curve, the oscilloscope.
//
// The control never owns the points: they are host parameters, mirrored in the processor's
// WaveState, and the control changes them only by writing those parameters through the editor.
// In the transposed layout (the product's) time runs from top to bottom and the value across.
class WaveControl : public AudioControl,
                    public TimerSlave,
                    public juce::Component
{
public:
    struct Options
    {
        juce::Colour colour = Palette::highlight;
        bool transposed = true;
        ScopeTraceSet* oscilloscope = nullptr;   // not owned; null for no oscilloscope
        bool lockFirstPoint = false, lockSecondPoint = false;
        bool editable = true;          // draws the curve and accepts editing
        bool gridAndPoints = true;     // draws the grid, the borders and the markers
        bool fixedGrid = false;        // ignores triplets and the value grid
    };

    WaveControl (AudioEditorBase& editor, WaveState& waveState, const Options& options);
    ~WaveControl() override;

    //==============================================================================
    // Coordinates: time runs along the cycle (x 0 ... 8191), the value across it (y 0 ... 1).
    float timeOf (int x) const noexcept;
    float valueOf (float y) const noexcept;
    int xAt (int time) const noexcept;
    float normalizedTimeAt (int time) const noexcept;
    float yAt (int value) const noexcept;
    // The control's own pixel as (time, value); the same swap turns it back.
    juce::Point<int> toTimeValue (juce::Point<int> pixel) const noexcept;

    // The parameters of a point, and the point of a parameter.
    int pointParameter (int wave, int slot, ParameterLayout::PointField field) const noexcept;
    ParameterLayout::PointAddress pointAt (int index) const noexcept;

    //==============================================================================
    // Writes a point's parameters through the editor: nothing for a locked slot, nothing when
    // the mirror already holds the value. The mirror follows when the change is delivered.
    void setPointX (int wave, int slot, int x);
    void setPointY (int wave, int slot, float y);
    void setPointType (int wave, int slot, int type);
    void setPoint (int wave, int slot, int x, float y, int type);
    void clearPoints (int wave);

    void showWave (int wave);
    void setValueName (const juce::String& name);
    void setPlayPosition (float phase, float rate);

    //==============================================================================
    void respond (const Event&) override;
    void parameterStepChanged (int index, int step) override;
    void parameterValueChanged (int index, float value) override;
    void tick() override;
    void visibilityChanged() override;
    void paint (juce::Graphics&) override;
    void resized() override;

    int getVisibleWave() const noexcept { return visibleWave; }
    bool hasInactiveLook() const noexcept { return inactiveLook; }
    bool isPlayPositionShown() const noexcept { return playPositionShown; }
    float getTrailStart() const noexcept { return trailStart; }
    float getTrailEnd() const noexcept { return trailEnd; }
    const juce::String& getValueName() const noexcept { return valueName; }
    ValueFormatter getValueFormatter() const noexcept { return valueFormatter; }

private:
    int timeSpan() const noexcept { return timeLength - 2 * timeMargin; }
    int valueSpan() const noexcept { return valueLength - 2 * valueMargin; }
    bool isLocked (int slot) const noexcept;
    WaveSnapshot& mirror (int wave) noexcept { return state.waves[(size_t) wave]; }
    void changed (int wave);
    // Removes the selection; there is none until selecting exists.
    void removeSelection() {}

    void drawScope (juce::Graphics&);
    void drawScopePair (juce::Graphics&, int leftTrace, int rightTrace);
    void drawGrid (juce::Graphics&);
    void drawTimeLines (juce::Graphics&, int divisions);
    void drawValueLines (juce::Graphics&, int divisions);
    void drawCurve (juce::Graphics&);
    juce::FillType curveFill (juce::Colour base) const;
    void drawContinuation (juce::Graphics&, juce::Colour base, juce::Point<float> mainEnd);
    void drawBorders (juce::Graphics&);
    void drawMarkers (juce::Graphics&);
    void drawMarker (juce::Graphics&, juce::Point<float> at, int type, bool hovered, juce::Colour c);
    juce::Colour baseColour() const;
    float curveValueAt (float position) const noexcept;

    int valueMargin = 11;
    int visibleWave = 0;
    int timeLength = 632, valueLength = 273;
    int timeMargin = 26;
    ScopeTraceSet* oscilloscopeSource;
    WaveState& state;
    int maximumX = ParameterLayout::xSteps - 1;
    bool transposed;
    bool inactiveLook = false;
    bool dragging = false;
    int activePoint = -1;   // the point under the mouse or dragged
    juce::Colour colour;
    juce::String valueName;
    ValueFormatter valueFormatter = nullptr;
    bool lockFirstPoint, lockSecondPoint;
    bool editable, gridAndPoints, fixedGrid;
    bool playPositionShown = false;
    float trailStart = 0.0f, trailEnd = 0.0f;

    // What paint draws from, copied on the message thread; a copy that meets a write keeps
    // the previous picture.
    std::unique_ptr<DisplayTable::Values> table;
    std::unique_ptr<ScopeTraceSet::Snapshot> scope;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WaveControl)
};
