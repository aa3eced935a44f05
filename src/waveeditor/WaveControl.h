#pragma once

#include "../dsp/DisplayTable.h"
#include "../dsp/ScopeTraceSet.h"
#include "../dsp/WaveState.h"
#include "../gui/AudioControl.h"
#include "../gui/CursorHider.h"
#include "../gui/Palette.h"
#include "../gui/TimerSlave.h"
#include "../gui/ValueFormatters.h"
#include "../processor/ParameterLayout.h"
#include "WaveControlPopup.h"
#include "WaveModifier.h"

#include <memory>
#include <optional>
#include <vector>

class AudioEditorBase;
class Selection;

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
    // Point queries on the mirror: the used slot within 8 pixels of (time, value), the nearest
    // neighbours in time; -1 for none.
    int pointIndexAt (int wave, int time, int value) const noexcept;
    int nextPointAfter (int wave, int x) const noexcept;
    int previousPointBefore (int wave, int x) const noexcept;

    // Takes the first empty slot and starts dragging it; says why when every slot is used.
    bool createPoint (int wave, int time, int value, int type);
    // Paints a flat step over the time cell under (time, value).
    void drawSteps (int wave, int time, int value);

    static juce::String tooManyPointsMessage (bool forAStep);
    static constexpr const char* enterMessage = "Click the Vostrelle logo for help on wave editing.";
    static constexpr const char* randomizedMessage = "Randomized existing points.";
    static constexpr int overshoot = 50;     // pixels past a neighbour before a point jumps over it
    static constexpr int freezeCount = 8;    // drag events a point stays put after a jump

    //==============================================================================
    // Undo history and copy buffer of a wave; each posts its message when there is nothing to do.
    void recordHistory (int wave);
    void undo (int wave);
    void redo (int wave);
    void copyWave (int wave);
    void pasteWave (int wave);

    // Runs a command on the visible wave as one undo step.
    void modify (WaveModifier command);
    void toggleStepsDrawing (bool fromPopup = false);
    void toggleSnap();
    void toggleTriplets();
    void flip (int wave);

    // The popup menu of a right-click on empty space, and what its items do.
    void showPopup (const juce::MouseEvent&);
    void handlePopupItem (int item);
    WaveControlPopup::State popupState() const;

    //==============================================================================
    // Selecting: a rubber band dragged out from a SHIFT- or ALT-press, fitted to the points it
    // encloses; or every point of a wave at once.
    void startRubberBand (const juce::MouseEvent&);
    void resizeRubberBand (const juce::MouseEvent&);
    void finishRubberBand();
    void selectAllPoints (int wave);
    void removeSelection();
    // Fits the selection around its points again (move) or only renews their offsets in it.
    void fitSelection (bool move);
    // Writes the selected points from where the selection now is.
    void applySelection (const Selection&);
    void recordDragWaveHistory() { recordHistory (dragWave); }
    // The rectangle a selection may cover: its inner part is exactly the drawable range.
    juce::Rectangle<int> allowedArea() const noexcept;
    Selection* getSelection() const noexcept { return selection.get(); }
    // The selection's points, in slot order; none without a selection.
    const std::vector<int>& selectedPoints() const noexcept;

    // Runs applySelection whenever the settled selection moves or changes size.
    class SelectionListener : public juce::ComponentListener
    {
    public:
        explicit SelectionListener (WaveControl& owner) noexcept : curveEditor (owner) {}
        void componentMovedOrResized (juce::Component&, bool, bool) override;

    private:
        WaveControl& curveEditor;
    };

    // Settles the selection once the fit animation has finished.
    class AnimationListener : public juce::ChangeListener
    {
    public:
        AnimationListener (WaveControl& owner, Selection& s) noexcept : curveEditor (owner), selection (s) {}
        void changeListenerCallback (juce::ChangeBroadcaster*) override;

    private:
        WaveControl& curveEditor;
        Selection& selection;
    };

    // The generator Randomize draws from; tests give it a fixed start.
    juce::Random& getRandom() noexcept { return random; }

    //==============================================================================
    void respond (const Event&) override;
    void parameterStepChanged (int index, int step) override;
    void parameterValueChanged (int index, float value) override;
    void tick() override;
    void visibilityChanged() override;
    void paint (juce::Graphics&) override;
    void resized() override;

    void mouseMove (const juce::MouseEvent&) override;
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;
    bool keyPressed (const juce::KeyPress&) override;

    int getVisibleWave() const noexcept { return visibleWave; }
    bool hasInactiveLook() const noexcept { return inactiveLook; }
    bool isPlayPositionShown() const noexcept { return playPositionShown; }
    float getTrailStart() const noexcept { return trailStart; }
    float getTrailEnd() const noexcept { return trailEnd; }
    const juce::String& getValueName() const noexcept { return valueName; }
    ValueFormatter getValueFormatter() const noexcept { return valueFormatter; }
    int getActivePoint() const noexcept { return activePoint; }
    bool isDragging() const noexcept { return dragging; }
    bool isReadoutShown() const noexcept { return readoutShown; }
    bool isStepPreviewShown() const noexcept { return stepPreview; }
    bool isCursorHidden() const noexcept { return cursorHider.isHidden(); }
    // The drag read-out's status text for the read-out position.
    juce::String readoutText() const;

private:
    int timeSpan() const noexcept { return timeLength - 2 * timeMargin; }
    int valueSpan() const noexcept { return valueLength - 2 * valueMargin; }
    bool isLocked (int slot) const noexcept;
    WaveSnapshot& mirror (int wave) noexcept { return state.waves[(size_t) wave]; }
    const WaveSnapshot& mirror (int wave) const noexcept { return state.waves[(size_t) wave]; }
    void changed (int wave);
    bool hasSelection() const noexcept { return selection != nullptr; }
    void settleSelection();
    // The selected points' pixels and where their rectangle would be; stores their offsets.
    juce::Rectangle<int> measureSelection (const std::vector<int>& slots);

    juce::Point<int> timeValueOf (const juce::MouseEvent&) const noexcept;
    juce::Point<int> timeValueOfPoint (int wave, int slot) const noexcept;   // truncated
    bool triplets() const noexcept { return state.showTriplets && ! fixedGrid; }
    int valueSteps() const noexcept;
    int freeX (int wave, int slot, int time);

    void pressLeft (const juce::MouseEvent&);
    void pressRight (const juce::MouseEvent&);
    void beginPointDrag (const juce::MouseEvent&);
    void dragPoint (const juce::MouseEvent&);
    void endPointDrag();
    void hover (const juce::MouseEvent&);
    void showStepPreview (int time, int value);
    void hideStepPreview();
    void movePointerTo (juce::Point<int> pixel);
    void forPointGestures (void (AudioControl::*gesture) (int));

    void writePoints (int wave, const WaveSnapshot&);
    void restore (int wave, const std::optional<WaveSnapshot>&, const char* nothingMessage);
    void postStatus (const juce::String&);
    void runCommand (WaveModifier);

    void drawReadout (juce::Graphics&);
    void drawStepPreview (juce::Graphics&);

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
    int dragWave = 0;
    enum class PressAction { none, created, pickedUp };
    PressAction lastPressAction = PressAction::none;
    juce::Point<int> lastDrag;        // (time, value) of the last drag event
    juce::Point<int> pointerOffset;   // the pointer's screen position minus the event position
    int freezeCounter = 0;
    bool readoutShown = false;
    juce::Point<float> readoutPosition;   // x / 8192 and y of the dragged point
    bool stepPreview = false;
    float previewStart = 0.0f, previewEnd = 0.0f, previewValue = 0.0f;
    bool leftPress = false, previousLeftPress = false;
    int hoveredWave = -1;
    CursorHider cursorHider { *this };
    std::unique_ptr<Selection> selection;   // a child while it exists
    juce::Point<int> rubberBandAnchor;
    WaveControlPopup popup;
    juce::Random random { juce::Time::currentTimeMillis() };
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
