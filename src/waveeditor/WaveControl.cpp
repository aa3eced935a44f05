#include "WaveControl.h"

#include "../events/Event.h"
#include "../events/EventKinds.h"
#include "../gui/AudioEditorBase.h"

namespace
{
    constexpr float fixedTrailRate = 2.8000002f;   // faster than this, a trail would be a blur
    constexpr float trailSeconds = 1.0f / 2.9f;

    const juce::Colour inputScopeColour { 0x66787878 };
    const juce::Colour borderColour { 0x59ffffff };
    const juce::Colour markerShadow { 0x99000000 };
    const juce::Colour markerRing { 0xffe0e0e0 };
    const juce::Colour markerCore { 0xf0ffffff };

    constexpr float curveWidth = 2.5f, previousCycleWidth = 2.0f;
    constexpr float scopeCentreGap = 3.5f, scopeInset = 2.0f, scopeEdge = 0.75f;

    juce::Colour greyed (juce::Colour c) { return c.withMultipliedSaturation (0.1f).withMultipliedBrightness (0.8f); }
    juce::Colour towardsWhite (juce::Colour c, float amount) { return c.interpolatedWith (juce::Colours::white, amount); }

    void strokeCircle (juce::Graphics& g, juce::Point<float> centre, float diameter, float width)
    {
        g.drawEllipse (juce::Rectangle<float> (diameter, diameter).withCentre (centre), width);
    }

    void fillCircle (juce::Graphics& g, juce::Point<float> centre, float diameter)
    {
        g.fillEllipse (juce::Rectangle<float> (diameter, diameter).withCentre (centre));
    }
}

WaveControl::WaveControl (AudioEditorBase& owner, WaveState& waveState, const Options& options)
    : AudioControl (owner, -1),
      TimerSlave (owner),
      oscilloscopeSource (options.oscilloscope),
      state (waveState),
      transposed (options.transposed),
      colour (options.colour),
      lockFirstPoint (options.lockFirstPoint),
      lockSecondPoint (options.lockSecondPoint),
      editable (options.editable),
      gridAndPoints (options.gridAndPoints),
      fixedGrid (options.fixedGrid),
      table (std::make_unique<DisplayTable::Values>()),
      scope (std::make_unique<ScopeTraceSet::Snapshot>())
{
    setWantsKeyboardFocus (true);

    if (transposed)
        setSize (valueLength, timeLength);
    else
        setSize (timeLength, valueLength);

    subscribe (EventKinds::programLoaded);
    subscribe (EventKinds::processingReleased);
    subscribe (EventKinds::processingPrepared);
}

WaveControl::~WaveControl()
{
    removeSelection();
}

//==============================================================================
float WaveControl::timeOf (int x) const noexcept
{
    return (float) timeMargin + (float) timeSpan() * (float) x * (1.0f / (float) ParameterLayout::xSteps);
}

float WaveControl::valueOf (float y) const noexcept
{
    return (float) valueMargin + (float) valueSpan() * (1.0f - y);
}

int WaveControl::xAt (int time) const noexcept
{
    return ((time - timeMargin) * ParameterLayout::xSteps) / timeSpan();
}

float WaveControl::normalizedTimeAt (int time) const noexcept
{
    return juce::jlimit (0.0f, 1.0f, (float) (time - timeMargin) / (float) timeSpan());
}

float WaveControl::yAt (int value) const noexcept
{
    return juce::jlimit (0.0f, 1.0f, (float) (valueMargin - value) / (float) valueSpan() + 1.0f);
}

juce::Point<int> WaveControl::toTimeValue (juce::Point<int> pixel) const noexcept
{
    return transposed ? juce::Point<int> { pixel.y, pixel.x } : pixel;
}

int WaveControl::pointParameter (int wave, int slot, ParameterLayout::PointField field) const noexcept
{
    // The layout counts from its own first point parameter; the processor says where it put it.
    return ParameterLayout::pointParameter (wave, slot, field) - ParameterLayout::firstPointParameter
         + state.firstPointParameter;
}

ParameterLayout::PointAddress WaveControl::pointAt (int index) const noexcept
{
    return ParameterLayout::pointAt (index - state.firstPointParameter + ParameterLayout::firstPointParameter);
}

//==============================================================================
bool WaveControl::isLocked (int slot) const noexcept
{
    return (slot == 0 && lockFirstPoint) || (slot == 1 && lockSecondPoint);
}

void WaveControl::setPointX (int wave, int slot, int x)
{
    if (! isLocked (slot) && mirror (wave).x[(size_t) slot] != x)
        setParameterStep (pointParameter (wave, slot, ParameterLayout::pointX), x);
}

void WaveControl::setPointY (int wave, int slot, float y)
{
    if (! isLocked (slot) && mirror (wave).y[(size_t) slot] != y)
        setParameterValue (pointParameter (wave, slot, ParameterLayout::pointY), y);
}

void WaveControl::setPointType (int wave, int slot, int type)
{
    if (! isLocked (slot) && mirror (wave).type[(size_t) slot] != type)
        setParameterStep (pointParameter (wave, slot, ParameterLayout::pointType), type);
}

void WaveControl::setPoint (int wave, int slot, int x, float y, int type)
{
    setPointX (wave, slot, x);
    setPointY (wave, slot, y);
    setPointType (wave, slot, type);
}

void WaveControl::clearPoints (int wave)
{
    for (int slot = 0; slot < WaveState::numSlots; ++slot)
        if (mirror (wave).type[(size_t) slot] != 0)
            setPointType (wave, slot, 0);
}

//==============================================================================
void WaveControl::showWave (int wave)
{
    if (wave == visibleWave)
        return;

    removeSelection();
    visibleWave = wave;
    repaint();
}

void WaveControl::setValueName (const juce::String& name)
{
    valueName = name;
    valueFormatter = [] (float y) { return formatPanPosition (1.0f - y); };
}

void WaveControl::setPlayPosition (float phase, float rate)
{
    if (rate > fixedTrailRate)
    {
        trailStart = 0.2f;
        trailEnd = 0.999f;
    }
    else
    {
        trailEnd = phase - std::floor (phase);
        trailStart = trailEnd - rate * trailSeconds;

        if (trailStart < 0.0f)
            trailStart += 1.0f;
    }

    playPositionShown = true;
}

//==============================================================================
void WaveControl::respond (const Event& e)
{
    switch (e.getKind())
    {
        case EventKinds::programLoaded: removeSelection(); break;
        case EventKinds::processingReleased: inactiveLook = true; repaint(); break;
        case EventKinds::processingPrepared: inactiveLook = false; repaint(); break;
        default: break;
    }
}

void WaveControl::parameterStepChanged (int index, int step)
{
    const int d = index - state.firstPointParameter;

    if (d < 0 || d >= ParameterLayout::numPointParameters || d % 3 == ParameterLayout::pointY)
    {
        showWave (step);
        return;
    }

    const auto point = pointAt (index);
    auto& stored = point.field == ParameterLayout::pointX ? mirror (point.wave).x[(size_t) point.slot]
                                                          : mirror (point.wave).type[(size_t) point.slot];
    const int value = point.field == ParameterLayout::pointX ? juce::jmin (step, maximumX) : step;

    if (stored != value)
    {
        stored = value;
        changed (point.wave);
    }
}

void WaveControl::parameterValueChanged (int index, float value)
{
    const int d = index - state.firstPointParameter;

    if (d < 0 || d >= ParameterLayout::numPointParameters || d % 3 != ParameterLayout::pointY)
        return;

    const auto point = pointAt (index);
    auto& stored = mirror (point.wave).y[(size_t) point.slot];

    if (stored != value)
    {
        stored = value;
        changed (point.wave);
    }
}

void WaveControl::changed (int wave)
{
    if (wave == visibleWave)
        repaint();
}

void WaveControl::tick()
{
    // The play position arrives from the audio thread in the editor's atomics; here it is only
    // read, so the fields below stay the message thread's own.
    const auto position = getEditor().getPlayPosition();

    if (position.reported)
        setPlayPosition (position.phase, position.rate);

    auto* flag = state.displayFlags[(size_t) visibleWave];

    if (oscilloscopeSource != nullptr && (state.showInput || state.showOutput)
        && (state.showLeftChannel || state.showRightChannel))
        repaint();
    else if (editable && flag != nullptr && flag->exchange (false))
        repaint();
    else if (playPositionShown && gridAndPoints)
        repaint();
}

void WaveControl::visibilityChanged()
{
    if (! isVisible())
        removeSelection();
}

void WaveControl::resized()
{
    // The traces keep their own column count (580, the product's time span): it is read by the
    // capture on the audio thread, so the view leaves it alone.
    timeLength = transposed ? getHeight() : getWidth();
    valueLength = transposed ? getWidth() : getHeight();
    repaint();
}

//==============================================================================
void WaveControl::paint (juce::Graphics& g)
{
    if (transposed)
    {
        if (oscilloscopeSource != nullptr)
            drawScope (g);

        g.addTransform ({ 0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 0.0f });
    }

    if (gridAndPoints)
        drawGrid (g);

    if (editable)
        drawCurve (g);

    if (gridAndPoints)
        drawBorders (g);

    if (editable && gridAndPoints)
        drawMarkers (g);
}

void WaveControl::drawScope (juce::Graphics& g)
{
    if (! state.showInput && ! state.showOutput)
        return;

    oscilloscopeSource->copySnapshot (*scope);

    if (state.showInput)
    {
        g.setColour (inputScopeColour);
        drawScopePair (g, ScopeTraceSet::inputLeft, ScopeTraceSet::inputRight);
    }

    if (state.showOutput)
    {
        g.setColour (colour.interpolatedWith (juce::Colours::white.withAlpha (0.4f), 0.8f).withMultipliedBrightness (0.8f));
        drawScopePair (g, ScopeTraceSet::outputLeft, ScopeTraceSet::outputRight);
    }
}

void WaveControl::drawScopePair (juce::Graphics& g, int leftTrace, int rightTrace)
{
    // The zoom from the editor's mirror: the record itself belongs to the audio thread's drain.
    const float zoom = ScopeTrace::zoomOf (getEditor().mirrorEntry (ParameterLayout::oscilloscopeZoom).value);
    const float centre = (float) valueLength * 0.5f;
    const float innerLeft = centre - scopeCentreGap, innerRight = centre + scopeCentreGap;
    const float reach = centre - scopeCentreGap - (float) valueMargin - scopeInset;
    const auto& left = scope->traces[(size_t) leftTrace];
    const auto& right = scope->traces[(size_t) rightTrace];
    const auto level = [zoom] (const ScopeTraceSet::Snapshot::Columns& c, size_t k) {
        return juce::jmin (1.0f, zoom * juce::jmax (std::abs (c.minimum[k]), std::abs (c.maximum[k])));
    };
    const int rows = juce::jmin (timeLength - 2 * timeMargin, scope->columns);

    for (int k = 0; k < rows; ++k)
    {
        const auto row = (float) (timeMargin + k);
        const float leftEnd = innerLeft - level (left, (size_t) k) * reach + scopeEdge;
        const float rightEnd = level (right, (size_t) k) * reach + innerRight - scopeEdge;

        if (innerLeft > leftEnd)
            g.fillRect (juce::Rectangle<float> (leftEnd, row, innerLeft - leftEnd, 1.0f));

        if (rightEnd > innerRight)
            g.fillRect (juce::Rectangle<float> (innerRight, row, rightEnd - innerRight, 1.0f));
    }
}

void WaveControl::drawGrid (juce::Graphics& g)
{
    const bool triplets = state.showTriplets && ! fixedGrid;
    const bool valueGrid = state.valueGrid && ! fixedGrid;
    const int valueSteps = valueGrid ? 24 : (triplets ? 12 : 16);

    g.setColour (juce::Colours::white.withAlpha ((juce::uint8) 0x08));
    drawTimeLines (g, triplets ? 48 : 64);

    if (! valueGrid)
        drawValueLines (g, valueSteps);

    g.setColour (juce::Colours::white.withAlpha ((juce::uint8) 0x0c));
    drawTimeLines (g, triplets ? 12 : 16);

    if (! valueGrid)
        drawValueLines (g, 4);

    g.setColour (juce::Colours::white.withAlpha ((juce::uint8) 0x14));
    drawTimeLines (g, triplets ? 3 : 4);

    if (! valueGrid)
        drawValueLines (g, 4);

    if (valueGrid)
    {
        g.setColour (juce::Colours::white.withAlpha ((juce::uint8) 0x2b));
        drawValueLines (g, 24);
        drawValueLines (g, 8);
    }
}

void WaveControl::drawTimeLines (juce::Graphics& g, int divisions)
{
    for (int k = 1; k < divisions; ++k)
    {
        const auto time = (int) ((float) timeMargin + (float) k * (float) timeSpan() / (float) divisions);
        g.fillRect (time, valueMargin + 1, 1, valueSpan() - 1);
    }
}

void WaveControl::drawValueLines (juce::Graphics& g, int divisions)
{
    for (int k = 0; k <= divisions; ++k)
    {
        const auto value = (int) ((float) valueMargin + (float) k * (float) valueSpan() / (float) divisions);
        g.fillRect (0, value, timeLength, 1);
    }
}

juce::Colour WaveControl::baseColour() const
{
    return inactiveLook ? greyed (colour) : colour;
}

float WaveControl::curveValueAt (float position) const noexcept
{
    const auto index = juce::jlimit (0, DisplayTable::size - 1, (int) position);
    const auto centre = (float) (valueLength / 2), half = (float) ((valueLength - 2 * valueMargin) / 2);
    return centre - half * (*table)[(size_t) index];
}

void WaveControl::drawCurve (juce::Graphics& g)
{
    if (auto* source = state.displayTables[(size_t) visibleWave])
        source->copyTo (*table);

    const float step = (float) DisplayTable::size / (float) timeSpan();
    auto time = (float) timeMargin;
    float position = 0.0f;
    juce::Path curve;
    curve.startNewSubPath (time, curveValueAt (0.0f));

    for (int i = 1; i < timeSpan(); ++i)
    {
        time += 1.0f;
        position += step;
        curve.lineTo (time, curveValueAt (position));
    }

    const auto base = baseColour();
    g.setFillType (curveFill (base));
    g.strokePath (curve, juce::PathStrokeType (curveWidth));
    drawContinuation (g, base, curve.getCurrentPosition());
}

juce::FillType WaveControl::curveFill (juce::Colour base) const
{
    if (! (playPositionShown && gridAndPoints))
        return base;

    const float brightness = base.getPerceivedBrightness();
    juce::ColourGradient gradient (base, (float) timeMargin, 0.0f, base, (float) (timeMargin + timeSpan()), 0.0f, false);
    gradient.addColour (trailStart, base);
    gradient.addColour (trailEnd, towardsWhite (base, brightness));
    gradient.addColour (juce::jmin (1.0f, trailEnd + 0.005f), base);

    if (trailStart > trailEnd)
    {
        // The trail wraps past the end of the cycle: both ends of the cycle lie inside it.
        const auto wrapped = towardsWhite (base, (1.0f - trailStart) / (trailEnd + 1.0f - trailStart) * brightness);
        gradient.setColour (0, wrapped);
        gradient.setColour (gradient.getNumColours() - 1, wrapped);
    }

    return gradient;
}

void WaveControl::drawContinuation (juce::Graphics& g, juce::Colour base, juce::Point<float> mainEnd)
{
    const float step = (float) DisplayTable::size / (float) timeSpan();
    g.setColour (base.withMultipliedSaturation (0.4f).withMultipliedBrightness (0.3f));

    // The start of the next cycle, below the end of this one.
    juce::Path next;
    next.startNewSubPath (mainEnd);

    for (int i = 0; i < timeMargin; ++i)
        next.lineTo (mainEnd.x + (float) (i + 1), curveValueAt ((float) i * step));

    g.strokePath (next, juce::PathStrokeType (curveWidth));

    // The end of the previous cycle, above the start of this one.
    juce::Path previous;
    auto time = (float) timeMargin;
    auto position = (float) DisplayTable::size;
    previous.startNewSubPath (time, curveValueAt (0.0f));

    for (int i = 0; i < timeMargin; ++i)
    {
        time -= 1.0f;
        position -= step;
        previous.lineTo (time, curveValueAt (position));
    }

    g.strokePath (previous, juce::PathStrokeType (previousCycleWidth));
}

void WaveControl::drawBorders (juce::Graphics& g)
{
    if (timeMargin < 1)
        return;

    g.setColour (borderColour);
    const int top = valueMargin + 1, height = valueLength - valueMargin - top;
    g.fillRect (timeMargin, top, 1, height);
    g.fillRect (timeLength - timeMargin, top, 1, height);
}

void WaveControl::drawMarkers (juce::Graphics& g)
{
    const auto c = baseColour();
    const auto& points = mirror (visibleWave);

    for (int slot = 0; slot < WaveState::numSlots; ++slot)
    {
        const auto i = (size_t) slot;

        if (points.type[i] > 0)
            drawMarker (g, { timeOf (points.x[i]), valueOf (points.y[i]) }, points.type[i], slot == activePoint, c);
    }
}

void WaveControl::drawMarker (juce::Graphics& g, juce::Point<float> at, int type, bool hovered, juce::Colour c)
{
    const auto halo = c.withBrightness (1.0f).withAlpha (dragging ? 0.7f : 0.4f);

    if (type == 1)
    {
        if (hovered)
        {
            g.setColour (halo);
            strokeCircle (g, at, 2.0f * (2.5f + (dragging ? 3.0f : 3.5f)), dragging ? 3.5f : 4.0f);
        }

        g.setColour (markerShadow);
        strokeCircle (g, at, 7.0f, 1.0f);
        strokeCircle (g, at, 3.0f, 1.0f);
        g.setColour (markerRing);
        strokeCircle (g, at, 5.0f, 1.0f);
        return;
    }

    // Type 3 is type 2, larger.
    const float extra = type == 3 ? 2.0f : 0.0f;

    if (hovered)
    {
        g.setColour (halo);
        fillCircle (g, at, 2.0f * ((dragging ? 5.0f : 6.0f) + 2.5f + extra * 0.5f));
    }

    g.setColour (c.withSaturation (0.0f));
    strokeCircle (g, at, 5.0f + extra, 1.0f);
    g.setColour (markerShadow);
    strokeCircle (g, at, 8.0f + extra, 1.5f);
    g.setColour (markerCore);
    fillCircle (g, at, 5.0f + extra);
}
