#include "WaveControl.h"

#include "../events/Event.h"
#include "../events/EventKinds.h"
#include "../gui/AudioEditorBase.h"
#include "Selection.h"
#include "WaveHistory.h"
#include "WaveTransforms.h"

#include <algorithm>

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
      popup (owner.getLayout()),
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
    fitSelection (true);
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

    if (readoutShown)
        drawReadout (g);

    if (editable)
        drawCurve (g);

    if (gridAndPoints)
        drawBorders (g);

    if (stepPreview)
        drawStepPreview (g);

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
    const bool valueGrid = state.valueGrid && ! fixedGrid;

    g.setColour (juce::Colours::white.withAlpha ((juce::uint8) 0x08));
    drawTimeLines (g, WaveTransforms::GridOptions::of (state, fixedGrid).timeDivisions());

    if (! valueGrid)
        drawValueLines (g, valueSteps());

    g.setColour (juce::Colours::white.withAlpha ((juce::uint8) 0x0c));
    drawTimeLines (g, triplets() ? 12 : 16);

    if (! valueGrid)
        drawValueLines (g, 4);

    g.setColour (juce::Colours::white.withAlpha ((juce::uint8) 0x14));
    drawTimeLines (g, triplets() ? 3 : 4);

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

//==============================================================================
juce::Point<int> WaveControl::timeValueOf (const juce::MouseEvent& e) const noexcept
{
    return toTimeValue (e.getPosition());
}

juce::Point<int> WaveControl::timeValueOfPoint (int wave, int slot) const noexcept
{
    const auto& points = mirror (wave);
    return { (int) timeOf (points.x[(size_t) slot]), (int) valueOf (points.y[(size_t) slot]) };
}

int WaveControl::valueSteps() const noexcept
{
    return WaveTransforms::GridOptions::of (state, fixedGrid).valueSteps();
}

int WaveControl::pointIndexAt (int wave, int time, int value) const noexcept
{
    constexpr int reach = 8;
    int found = -1, nearest = reach;

    for (int slot = 0; slot < WaveState::numSlots; ++slot)
    {
        if (mirror (wave).type[(size_t) slot] == 0)
            continue;

        const auto d = timeValueOfPoint (wave, slot) - juce::Point<int> { time, value };
        const auto distance = (int) std::sqrt ((double) (d.x * d.x + d.y * d.y));

        if (distance < nearest)
        {
            found = slot;
            nearest = distance;
        }
    }

    return found;
}

int WaveControl::nextPointAfter (int wave, int x) const noexcept
{
    const auto& points = mirror (wave);
    int found = -1;

    for (int slot = 0; slot < WaveState::numSlots; ++slot)
    {
        const auto i = (size_t) slot;

        if (points.type[i] != 0 && points.x[i] > x && (found < 0 || points.x[i] < points.x[(size_t) found]))
            found = slot;
    }

    return found;
}

int WaveControl::previousPointBefore (int wave, int x) const noexcept
{
    const auto& points = mirror (wave);
    int found = -1;

    for (int slot = 0; slot < WaveState::numSlots; ++slot)
    {
        const auto i = (size_t) slot;

        if (points.type[i] != 0 && points.x[i] < x && (found < 0 || points.x[i] >= points.x[(size_t) found]))
            found = slot;
    }

    return found;
}

juce::String WaveControl::tooManyPointsMessage (bool forAStep)
{
    return juce::String ("Unable to create new ") + (forAStep ? "points" : "point")
         + ". Maximum number of points has been reached. You can create up to "
         + juce::String (WaveState::numSlots) + " points per wave.";
}

bool WaveControl::createPoint (int wave, int time, int value, int type)
{
    const auto& types = mirror (wave).type;
    const auto empty = std::find (types.begin(), types.end(), 0);

    if (empty == types.end())
    {
        postStatus (tooManyPointsMessage (false));
        return false;
    }

    const auto slot = (int) std::distance (types.begin(), empty);
    dragging = true;
    activePoint = slot;
    setPointX (wave, slot, xAt (time));
    setPointY (wave, slot, yAt (value));
    setPointType (wave, slot, type);
    return true;
}

void WaveControl::drawSteps (int wave, int time, int value)
{
    activePoint = -1;

    if (time < timeMargin || time > timeLength - timeMargin || value < valueMargin || value > valueLength - valueMargin)
        return;

    recordHistory (wave);

    const int cells = triplets() ? 12 : 16;
    const int cell = ParameterLayout::xSteps / cells;
    // The pixel at the very end of the cycle belongs to the last cell, not to one beyond it.
    const int x = juce::jmin (xAt (time), cells * cell - 1);
    const int x0 = x - x % cell, x1 = x0 + cell - 1;
    const int before = x0 == 0 ? maximumX : x0 - 1;
    const int after = x1 == maximumX ? 0 : x0 + cell;
    const auto curveAt = [this, wave] (int index) {
        const auto* source = state.displayTables[(size_t) wave];
        return source == nullptr ? 0.5f : juce::jlimit (0.0f, 1.0f, (*source)[index] * 0.5f + 0.5f);
    };
    const float held = curveAt (before), following = curveAt (after);

    auto& points = mirror (wave);
    const auto usedAt = [&points] (int at) {
        for (int i = 0; i < WaveState::numSlots; ++i)
            if (points.type[(size_t) i] != 0 && points.x[(size_t) i] == at)
                return true;
        return false;
    };

    for (int slot = 0; slot < WaveState::numSlots; ++slot)
        if (points.type[(size_t) slot] != 0 && points.x[(size_t) slot] >= x0 && points.x[(size_t) slot] <= x1)
            setPointType (wave, slot, 0);

    std::vector<int> free;

    for (int slot = 0; slot < WaveState::numSlots && free.size() < 4; ++slot)
        if (points.type[(size_t) slot] == 0)
            free.push_back (slot);

    if (free.size() < 2)
    {
        recordHistory (wave);
        postStatus (tooManyPointsMessage (true));
        return;
    }

    const bool roomForHolds = free.size() == 4;
    const int n = valueSteps();
    float h = (float) std::round (yAt (value) * (float) n) / (float) n;

    if (! (h > 0.0f))
        h = 0.0f;

    const auto continuesStep = [&points, h] (int slot) {
        return slot != -1 && points.type[(size_t) slot] >= 2 && points.y[(size_t) slot] == h;
    };

    if (const int p = previousPointBefore (wave, x0); ! continuesStep (p))
    {
        if (roomForHolds && ! usedAt (before))
            setPoint (wave, free[2], before, held, 3);

        setPoint (wave, free[0], x0, h, 3);
    }
    else if (continuesStep (previousPointBefore (wave, points.x[(size_t) p])))
    {
        setPointType (wave, p, 0);
    }

    if (const int r = nextPointAfter (wave, x1); ! continuesStep (r))
    {
        if (roomForHolds && ! usedAt (after))
            setPoint (wave, free[3], after, following, 3);

        setPoint (wave, free[1], x1, h, 3);
    }
    else if (continuesStep (nextPointAfter (wave, points.x[(size_t) r])))
    {
        setPointType (wave, r, 0);
    }

    recordHistory (wave);
}

//==============================================================================
void WaveControl::mouseEnter (const juce::MouseEvent&)
{
    if (gridAndPoints)
        postStatus (enterMessage);
}

void WaveControl::mouseExit (const juce::MouseEvent&)
{
    if (! gridAndPoints)
        return;

    postStatus ({});

    if (! dragging && activePoint != -1)
    {
        activePoint = -1;
        repaint();
    }

    hideStepPreview();
}

void WaveControl::mouseDown (const juce::MouseEvent& e)
{
    if (! editable || ! gridAndPoints)
        return;

    previousLeftPress = leftPress;
    leftPress = e.mods.isLeftButtonDown();

    if (e.mods.isRightButtonDown())
        pressRight (e);
    else if (leftPress)
        pressLeft (e);
}

void WaveControl::pressLeft (const juce::MouseEvent& e)
{
    if (dragging || e.getNumberOfClicks() >= 2)
        return;

    dragWave = visibleWave;
    recordHistory (visibleWave);
    const auto at = timeValueOf (e);
    lastPressAction = PressAction::none;
    const int hit = pointIndexAt (dragWave, at.x, at.y);

    if ((hit == -1 && e.mods.isShiftDown()) || e.mods.isAltDown())
    {
        removeSelection();
        startRubberBand (e);
        return;
    }

    if (hit == -1)
    {
        if (hasSelection())
            removeSelection();
        else if (state.stepsDrawing)
            drawSteps (visibleWave, at.x, at.y);
        else if (at.x >= timeMargin && at.x < timeLength - timeMargin
                 && createPoint (dragWave, at.x, at.y, e.mods.isCtrlDown() ? 3 : 1))
        {
            lastPressAction = PressAction::created;
            beginPointDrag (e);
        }

        return;
    }

    activePoint = hit;
    dragging = true;
    lastPressAction = PressAction::pickedUp;
    beginPointDrag (e);
    repaint();
}

void WaveControl::pressRight (const juce::MouseEvent& e)
{
    const int wave = visibleWave;
    const auto at = timeValueOf (e);
    const int hit = pointIndexAt (wave, at.x, at.y);

    if (hit == -1)
    {
        showPopup (e);
        return;
    }

    if (isLocked (hit))
        return;

    recordHistory (wave);
    setPointType (wave, hit, mirror (wave).type[(size_t) hit] % 3 + 1);
    recordHistory (wave);
}

void WaveControl::forPointGestures (void (AudioControl::*gesture) (int))
{
    for (const auto field : { ParameterLayout::pointX, ParameterLayout::pointY, ParameterLayout::pointType })
        (this->*gesture) (pointParameter (dragWave, activePoint, field));
}

void WaveControl::beginPointDrag (const juce::MouseEvent& e)
{
    if (! dragging)
        return;

    if (activePoint >= 0)
        forPointGestures (&AudioControl::beginGesture);

    pointerOffset = e.getScreenPosition() - e.getPosition();
    freezeCounter = 0;
    cursorHider.hide();
    lastDrag = timeValueOf (e);
}

void WaveControl::mouseDrag (const juce::MouseEvent& e)
{
    if (hasSelection() && e.mods.isLeftButtonDown() && ! dragging)
        resizeRubberBand (e);

    mouseMove (e);
}

void WaveControl::mouseMove (const juce::MouseEvent& e)
{
    if (dragging)
        dragPoint (e);
    else
        hover (e);
}

void WaveControl::movePointerTo (juce::Point<int> timeValue)
{
    getEditor().getPointer().moveTo (toTimeValue (timeValue) + pointerOffset);
}

void WaveControl::dragPoint (const juce::MouseEvent& e)
{
    const int wave = dragWave, slot = activePoint;

    if (freezeCounter > 0)
    {
        if (freezeCounter == 1)
            movePointerTo (timeValueOfPoint (wave, slot));

        --freezeCounter;
        return;
    }

    const auto at = timeValueOf (e);
    const int time = juce::jlimit (timeMargin - overshoot, timeLength - timeMargin + overshoot, at.x);
    const int value = juce::jlimit (valueMargin - 1, valueLength - valueMargin + 1, at.y);

    if (time != at.x || value != at.y)
        movePointerTo ({ time, value });

    // SHIFT inverts the snap switch for this move.
    const bool snapping = e.mods.isShiftDown() != state.snapToGrid;
    const auto& points = mirror (wave);
    int x = points.x[(size_t) slot];

    if (! isLocked (slot) && time != lastDrag.x)
    {
        if (snapping)
        {
            const auto divisions = (float) WaveTransforms::GridOptions::of (state, fixedGrid).timeDivisions();
            const float gridLine = std::trunc (normalizedTimeAt (time) * divisions) / divisions;
            x = juce::jmin (maximumX, (int) (gridLine * (float) ParameterLayout::xSteps));
        }
        else
        {
            x = freeX (wave, slot, time);
        }

        setPointX (wave, slot, x);
    }

    float y = points.y[(size_t) slot];

    if (value != lastDrag.y)
    {
        y = yAt (value);

        if ((state.valueGrid && ! fixedGrid && ! e.mods.isShiftDown()) || snapping)
            y = std::trunc (y * (float) valueSteps()) / (float) valueSteps();

        setPointY (wave, slot, y);
    }

    readoutPosition = { (float) x / (float) ParameterLayout::xSteps, y };
    readoutShown = true;
    lastDrag = { time, value };
    postStatus (readoutText());
    repaint();
}

int WaveControl::freeX (int wave, int slot, int time)
{
    // A point keeps its place in time: it stops next to a neighbour and passes it only when the
    // pointer is pulled well beyond, then stays put for a few events so it does not jump back.
    const auto& points = mirror (wave);
    const int current = points.x[(size_t) slot];

    if (const int r = nextPointAfter (wave, current); r != -1)
    {
        const int neighbour = points.x[(size_t) r];
        const auto neighbourTime = (int) timeOf (neighbour);

        if (time >= neighbourTime)
        {
            if (time <= neighbourTime + overshoot)
                return neighbour - 1;

            if (neighbour == maximumX)
                return maximumX - 1;

            freezeCounter = freezeCount;
            return neighbour + 1;
        }
    }

    if (const int l = previousPointBefore (wave, current); l != -1)
    {
        const int neighbour = points.x[(size_t) l];
        const auto neighbourTime = (int) timeOf (neighbour);

        if (time <= neighbourTime)
        {
            if (time >= neighbourTime - overshoot)
                return neighbour + 1;

            if (neighbour == 0)
                return 1;

            freezeCounter = freezeCount;
            return neighbour - 1;
        }
    }

    return juce::jlimit (0, maximumX, xAt (time));
}

juce::String WaveControl::readoutText() const
{
    const auto rx = readoutPosition.x, ry = readoutPosition.y;

    if (valueFormatter == nullptr)
        return "x: " + juce::String (rx, 3) + "  |  y: " + juce::String (ry, 2);

    if (transposed)
        return valueName + " : " + valueFormatter (ry) + "\ny: " + juce::String (rx, 3);

    return "x: " + juce::String (rx, 3) + "  |  " + valueName + ": " + valueFormatter (ry);
}

void WaveControl::hover (const juce::MouseEvent& e)
{
    if (e.mods.isShiftDown())
        return;

    dragWave = visibleWave;
    const auto at = timeValueOf (e);
    const int hit = pointIndexAt (visibleWave, at.x, at.y);
    const bool leftHeld = e.mods.isLeftButtonDown();

    if (state.stepsDrawing && (hit == -1 || leftHeld))
    {
        if (at.x >= timeMargin && at.x <= timeLength - timeMargin - 1 && at.y >= valueMargin && at.y <= valueLength - valueMargin)
        {
            showStepPreview (at.x, at.y);

            if (leftHeld && hit == -1)
                drawSteps (visibleWave, at.x, at.y);
        }
        else
        {
            stepPreview = false;
        }

        activePoint = -1;
    }
    else
    {
        if (hit == activePoint && hoveredWave == visibleWave)
            return;

        activePoint = hit;
        stepPreview = false;
    }

    hoveredWave = visibleWave;
    repaint();
}

void WaveControl::showStepPreview (int time, int value)
{
    const float cellWidth = (float) timeSpan() / (float) (triplets() ? 12 : 16);
    const float cellHeight = (float) valueSpan() / (float) valueSteps();
    previewStart = (float) timeMargin + std::floor ((float) (time - timeMargin) / cellWidth) * cellWidth;
    previewEnd = previewStart + cellWidth;
    previewValue = (float) valueMargin + std::round ((float) (value - valueMargin) / cellHeight) * cellHeight - 0.5f;
    stepPreview = true;
}

void WaveControl::hideStepPreview()
{
    if (! stepPreview)
        return;

    stepPreview = false;
    repaint();
}

void WaveControl::mouseUp (const juce::MouseEvent& e)
{
    if (! editable || ! gridAndPoints)
        return;

    if (dragging)
        endPointDrag();
    else if (e.mods.isLeftButtonDown())
        finishRubberBand();
}

void WaveControl::endPointDrag()
{
    if (activePoint >= 0)
        forPointGestures (&AudioControl::endGesture);

    cursorHider.restore();
    recordHistory (dragWave);

    if (activePoint >= 0)
        movePointerTo (timeValueOfPoint (dragWave, activePoint));

    readoutShown = false;
    repaint();
    postStatus ({});
    dragging = false;
}

void WaveControl::mouseDoubleClick (const juce::MouseEvent& e)
{
    if (! editable || ! gridAndPoints || hasSelection() || ! leftPress || ! previousLeftPress)
        return;

    const auto at = timeValueOf (e);
    const int hit = pointIndexAt (visibleWave, at.x, at.y);

    if (hit < 0 || isLocked (hit) || lastPressAction != PressAction::pickedUp)
        return;

    recordHistory (visibleWave);
    setPointType (visibleWave, hit, 0);
    dragging = false;
    recordHistory (visibleWave);
}

bool WaveControl::keyPressed (const juce::KeyPress& key)
{
    const int code = key.getKeyCode();
    const bool fine = key.getModifiers().isShiftDown();

    if (code == juce::KeyPress::deleteKey || code == juce::KeyPress::backspaceKey)
    {
        if (hasSelection())
            modify (WaveModifier::DeletePoints);

        return true;
    }

    if (code == juce::KeyPress::leftKey)
        modify (fine ? WaveModifier::TimeEarlierFine : WaveModifier::TimeEarlier);
    else if (code == juce::KeyPress::rightKey)
        modify (fine ? WaveModifier::TimeLaterFine : WaveModifier::TimeLater);
    else if (code == juce::KeyPress::upKey)
        modify (fine ? WaveModifier::ValueUpFine : WaveModifier::ValueUp);
    else if (code == juce::KeyPress::downKey)
        modify (fine ? WaveModifier::ValueDownFine : WaveModifier::ValueDown);

    return false;
}

//==============================================================================
void WaveControl::postStatus (const juce::String& text)
{
    postString (EventKinds::statusText, text);
}

void WaveControl::writePoints (int wave, const WaveSnapshot& points)
{
    for (int slot = 0; slot < WaveState::numSlots; ++slot)
    {
        const auto i = (size_t) slot;
        setPoint (wave, slot, points.x[i], points.y[i], points.type[i]);
    }
}

void WaveControl::recordHistory (int wave)
{
    WaveHistory (state, wave).record();
}

void WaveControl::restore (int wave, const std::optional<WaveSnapshot>& points, const char* nothingMessage)
{
    if (! points.has_value())
    {
        postStatus (nothingMessage);
        return;
    }

    writePoints (wave, *points);
    removeSelection();
}

void WaveControl::undo (int wave)
{
    if (editable)
        restore (wave, WaveHistory (state, wave).undo(), WaveHistory::noEditToUndo);
}

void WaveControl::redo (int wave)
{
    if (editable)
        restore (wave, WaveHistory (state, wave).redo(), WaveHistory::noEditToRedo);
}

void WaveControl::copyWave (int wave)
{
    WaveHistory (state, wave).copy();
    postStatus (WaveHistory::copied);
}

void WaveControl::pasteWave (int wave)
{
    const auto points = WaveHistory (state, wave).paste();

    if (! points.has_value())
    {
        postStatus (WaveHistory::nothingToPaste);
        return;
    }

    removeSelection();
    writePoints (wave, *points);
    postStatus (WaveHistory::pasted);
}

void WaveControl::modify (WaveModifier command)
{
    const bool isUndoOrRedo = command == WaveModifier::Undo || command == WaveModifier::Redo;
    const bool keepsSelection = (int) command <= (int) WaveModifier::TimeLaterFine || isUndoOrRedo;

    if (! keepsSelection)
        removeSelection();

    // Recording first makes changes that came from elsewhere (automation) a step of their own.
    recordHistory (visibleWave);
    runCommand (command);

    if (! isUndoOrRedo)
        recordHistory (visibleWave);
}

void WaveControl::runCommand (WaveModifier command)
{
    using M = WaveModifier;
    const int wave = visibleWave;
    const auto& points = mirror (wave);
    const auto& selected = selectedPoints();
    const auto written = [&] (const std::optional<WaveSnapshot>& moved) {
        if (! moved.has_value())
            return;

        writePoints (wave, *moved);
        fitSelection (true);
    };
    const auto moveValues = [&] (float delta) { written (WaveTransforms::moveValues (points, selected, delta)); };
    const auto moveTimes = [&] (int delta) { written (WaveTransforms::moveTimes (points, selected, delta)); };

    switch (command)
    {
        case M::DeletePoints:
            writePoints (wave, WaveTransforms::deletePoints (points, selected));
            removeSelection();
            break;
        case M::ValueUp:         moveValues (WaveTransforms::valueStep (false)); break;
        case M::ValueUpFine:     moveValues (WaveTransforms::valueStep (true)); break;
        case M::ValueDown:       moveValues (-WaveTransforms::valueStep (false)); break;
        case M::ValueDownFine:   moveValues (-WaveTransforms::valueStep (true)); break;
        case M::TimeEarlier:     moveTimes (-WaveTransforms::timeStep); break;
        case M::TimeEarlierFine: moveTimes (-WaveTransforms::timeStepFine); break;
        case M::TimeLater:       moveTimes (WaveTransforms::timeStep); break;
        case M::TimeLaterFine:   moveTimes (WaveTransforms::timeStepFine); break;
        case M::ShapeSine:       writePoints (wave, WaveTransforms::sine (points)); break;
        case M::ShapeTriangle:   writePoints (wave, WaveTransforms::triangle (points)); break;
        case M::Randomize:
            writePoints (wave, WaveTransforms::randomize (points, WaveTransforms::GridOptions::of (state, fixedGrid), random));
            postStatus (randomizedMessage);
            break;
        case M::Undo:            undo (wave); break;
        case M::Redo:            redo (wave); break;
    }
}

void WaveControl::toggleStepsDrawing (bool fromPopup)
{
    state.stepsDrawing = ! state.stepsDrawing;
    postAction (state.stepsDrawing ? EventKinds::stepDrawingOn : EventKinds::stepDrawingOff);

    if (fromPopup && ! state.stepsDrawing)
        stepPreview = false;

    repaint();
}

void WaveControl::toggleSnap()
{
    state.snapToGrid = ! state.snapToGrid;
    postAction (state.snapToGrid ? EventKinds::snapToGridOn : EventKinds::snapToGridOff);
    repaint();
}

void WaveControl::toggleTriplets()
{
    state.showTriplets = ! state.showTriplets;
    repaint();
}

void WaveControl::flip (int wave)
{
    writePoints (wave, WaveTransforms::flip (mirror (wave), selectedPoints()));
    fitSelection (false);
}

//==============================================================================
WaveControlPopup::State WaveControl::popupState() const
{
    WaveControlPopup::State s;
    s.usedPoints = (int) WaveTransforms::usedSlots (mirror (visibleWave)).size();
    s.stepsDrawing = state.stepsDrawing;
    s.showTriplets = state.showTriplets;
    s.fixedGrid = fixedGrid;
    s.copyBufferValid = state.copyBufferValid;
    return s;
}

void WaveControl::showPopup (const juce::MouseEvent& e)
{
    if (! editable || ! gridAndPoints)
        return;

    popup.show (popupState(), e.getScreenPosition(), *this, [this] (int item) { handlePopupItem (item); });
}

void WaveControl::handlePopupItem (int item)
{
    const int wave = visibleWave;

    switch (item)
    {
        case WaveControlPopup::selectAllPoints: selectAllPoints (wave); break;
        case WaveControlPopup::stepsDrawing: toggleStepsDrawing (true); break;
        case WaveControlPopup::showTriplets: toggleTriplets(); break;
        case WaveControlPopup::copy:         copyWave (wave); break;
        case WaveControlPopup::flipChannels:
            recordHistory (wave);
            flip (wave);
            recordHistory (wave);
            break;
        case WaveControlPopup::paste:
            recordHistory (wave);
            pasteWave (wave);
            recordHistory (wave);
            break;
        default: break;
    }
}

//==============================================================================
void WaveControl::drawReadout (juce::Graphics& g)
{
    g.setColour (juce::Colour (0xffa0a0a0));
    const auto time = (int) ((float) timeMargin + (float) timeSpan() * readoutPosition.x + 0.01f);
    const auto value = (int) ((float) valueMargin + (float) valueSpan() * (1.0f - readoutPosition.y));
    g.fillRect (time, 0, 1, valueLength);
    g.fillRect (0, value, timeLength, 1);
}

void WaveControl::drawStepPreview (juce::Graphics& g)
{
    const juce::Colour line (0xffdddddd);
    const float centre = previewValue + 0.5f;
    const float length = previewEnd - previewStart - 7.0f;
    g.setColour (line);

    if (length > 0.0f)
        g.fillRect (juce::Rectangle<float> (previewStart + 3.5f, (float) (int) centre, length, 1.0f));

    for (const auto end : { previewStart, previewEnd })
    {
        g.setColour (colour.withAlpha (0.4f));
        fillCircle (g, { end, centre }, 7.0f);
        g.setColour (line);
        strokeCircle (g, { end, centre }, 7.0f, 1.0f);
    }
}

//==============================================================================
juce::Rectangle<int> WaveControl::allowedArea() const noexcept
{
    const int timeInset = timeMargin - Selection::border, valueInset = valueMargin - Selection::border;

    if (transposed)
        return { valueInset, timeInset, getWidth() - 2 * valueInset, getHeight() - 2 * timeInset - 1 };

    return { timeInset, valueInset, getWidth() - 2 * timeInset - 1, getHeight() - 2 * valueInset };
}

void WaveControl::startRubberBand (const juce::MouseEvent& e)
{
    if (hasSelection())
        return;

    rubberBandAnchor = e.getPosition() - juce::Point<int> { 5, 7 };
    selection = std::make_unique<Selection> (getEditor(), *this, allowedArea());
    selection->setBounds (rubberBandAnchor.x, rubberBandAnchor.y, 1, 1);
    addAndMakeVisible (*selection);
}

void WaveControl::resizeRubberBand (const juce::MouseEvent& e)
{
    constexpr int least = Selection::handleSize;
    const auto d = e.getOffsetFromDragStart();
    selection->setBounds (rubberBandAnchor.x + juce::jmin (d.x, 0), rubberBandAnchor.y + juce::jmin (d.y, 0),
                          juce::jmax (least, std::abs (d.x) + least), juce::jmax (least, std::abs (d.y) + least));
}

juce::Rectangle<int> WaveControl::measureSelection (const std::vector<int>& slots)
{
    if (slots.empty())
        return {};

    std::vector<juce::Point<int>> pixels;

    for (const int slot : slots)
        pixels.push_back (toTimeValue (timeValueOfPoint (dragWave, slot)));

    auto box = juce::Rectangle<int>::findAreaContainingPoints (pixels.data(), (int) pixels.size());

    for (size_t k = 0; k < slots.size(); ++k)
    {
        const auto i = (size_t) slots[k];
        state.selectionOffsetsX[(size_t) dragWave][i] = pixels[k].x - box.getX();
        state.selectionOffsetsY[(size_t) dragWave][i] = pixels[k].y - box.getY();
    }

    return box.expanded (Selection::border);
}

void WaveControl::finishRubberBand()
{
    if (! hasSelection())
        return;

    const auto band = selection->getBounds();

    if (band.getWidth() <= Selection::handleSize && band.getHeight() <= Selection::handleSize)
    {
        removeSelection();
        return;
    }

    std::vector<int> enclosed;

    for (const int slot : WaveTransforms::usedSlots (mirror (dragWave)))
        if (band.contains (toTimeValue (timeValueOfPoint (dragWave, slot))))
            enclosed.push_back (slot);

    if (enclosed.size() < 2)
    {
        removeSelection();
        return;
    }

    const auto target = measureSelection (enclosed);
    selection->setPoints (enclosed);
    selection->setAnimationListener (std::make_unique<AnimationListener> (*this, *selection));
    juce::Desktop::getInstance().getAnimator().animateComponent (selection.get(), target, 1.0f, 200, false, 0.5, 0.5);
}

void WaveControl::AnimationListener::changeListenerCallback (juce::ChangeBroadcaster*)
{
    if (! juce::Desktop::getInstance().getAnimator().isAnimating (&selection))
        curveEditor.settleSelection();
}

void WaveControl::settleSelection()
{
    // Deleting the listener that is running: the caller touches nothing after this call.
    selection->setAnimationListener (nullptr);
    selection->captureReferenceBounds();
    selection->setSelectionListener (std::make_unique<SelectionListener> (*this));
    selection->showHandles (true);
    recordHistory (dragWave);
}

void WaveControl::SelectionListener::componentMovedOrResized (juce::Component& c, bool, bool)
{
    curveEditor.applySelection (static_cast<const Selection&> (c));
}

void WaveControl::selectAllPoints (int wave)
{
    if (! editable)
        return;

    removeSelection();
    const auto used = WaveTransforms::usedSlots (mirror (wave));

    if (used.size() < 2)
        return;

    dragWave = wave;
    selection = std::make_unique<Selection> (getEditor(), *this, allowedArea());
    selection->setPoints (used);
    selection->setSelectionListener (std::make_unique<SelectionListener> (*this));
    selection->showHandles (true);
    addAndMakeVisible (*selection);
    fitSelection (true);
}

const std::vector<int>& WaveControl::selectedPoints() const noexcept
{
    static const std::vector<int> none;
    return hasSelection() ? selection->getPoints() : none;
}

void WaveControl::removeSelection()
{
    if (! hasSelection())
        return;

    selection.reset();
}

void WaveControl::fitSelection (bool move)
{
    if (! hasSelection() || selectedPoints().empty())
        return;

    const auto bounds = measureSelection (selectedPoints());

    if (! move)
        return;

    // Not listening while it is put in place: putting it there must not write the points.
    const bool wasListening = selection->hasSelectionListener();
    selection->setSelectionListener (nullptr);
    selection->setVisible (true);
    selection->setBounds (bounds);
    selection->captureReferenceBounds();
    selection->setAllowedArea (allowedArea());

    if (wasListening)
        selection->setSelectionListener (std::make_unique<SelectionListener> (*this));
}

void WaveControl::applySelection (const Selection& s)
{
    // Points keep their order in time: each group of equal x lands at least one unit after
    // the group before it.
    auto slots = s.getPoints();
    const auto& points = mirror (dragWave);
    std::stable_sort (slots.begin(), slots.end(), [&points] (int a, int b) { return points.x[(size_t) a] < points.x[(size_t) b]; });
    std::vector<int> currentX;

    for (const int slot : slots)
        currentX.push_back (points.x[(size_t) slot]);

    const auto inner = s.getInner();
    int floor = 0, last = 0;

    for (size_t k = 0; k < slots.size(); ++k)
    {
        if (k > 0 && currentX[k] != currentX[k - 1])
            floor = last + 1;

        const auto i = (size_t) slots[k];
        const juce::Point<int> pixel { (int) ((float) state.selectionOffsetsX[(size_t) dragWave][i] * s.getScaleX()) + inner.getX(),
                                       (int) ((float) state.selectionOffsetsY[(size_t) dragWave][i] * s.getScaleY()) + inner.getY() };
        const auto at = toTimeValue (pixel);
        last = juce::jmin (maximumX, juce::jmax (floor, xAt (at.x)));
        setPointX (dragWave, slots[k], last);
        setPointY (dragWave, slots[k], yAt (at.y));
    }
}
