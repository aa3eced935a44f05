#pragma once

#include "../processor/AudioNode.h"
#include "DisplayTable.h"
#include "WavePoint.h"
#include "WaveTables.h"

#include <array>
#include <atomic>

class EventDispatcherAudio;

// One drawn wave. Its points live as parameter records in the wave's WaveTables; from them the
// wave renders one cycle of a periodic uniform cubic B-spline into the curve table and decimates
// that into the level tables the LFO plays. A rebuild is spread over processing calls in slices of
// bounded work; the LFO keeps playing the complete old tables until the new ones are published.
class Wave : public AudioNode
{
public:
    static constexpr int cycleLength = WaveTables::curveSize;             // curve units per cycle
    static constexpr int unitsPerXStep = cycleLength / WaveTables::xSteps;
    static constexpr int periodicNeighbours = 6;                           // 3 from each adjacent cycle
    static constexpr int maxControlPoints = WaveTables::numSlots * WavePoint::maxType + periodicNeighbours;
    static constexpr int displaySize = DisplayTable::size;
    static_assert (displaySize == DspContext::levelSizeOf (0), "the display shows level 0 whole");

    Wave (AudioNode& parentNode, WaveTables& waveTables, EventDispatcherAudio* eventDispatcher);
    virtual ~Wave() = default;

    // The point that slot 0 ... 39 holds, read from its X, Y and Type records.
    WavePoint point (int slot) const noexcept;

    // Builds the control polygon from the used slots; the has-points flag follows it when the
    // rebuild is published.
    void buildControlPoints() noexcept;

    // Fills the curve table from the control polygon; call only when it is not empty.
    void renderTable() noexcept;

    virtual void clearDisplayTable() noexcept;

    // The value at which a one-shot LFO comes to rest: the end of the cycle, snapped to 0 and ±1.
    float endValue() const noexcept;
    static float endValueOf (const WaveTables& waveTables) noexcept;

    // Advances a pending rebuild by one slice, each about the same work: the curve; then the level
    // tables with the interpolation of levels 1 ... 11 into the spare; then level 0 in place and
    // the trade, so the LFO goes from the complete old tables to the complete new ones at once.
    void updateStep() noexcept;
    // Runs every slice of a pending rebuild at once.
    void finishRebuild() noexcept;
    // A rebuild is due or under way.
    bool isRebuilding() const noexcept { return dirty || isMidRebuild(); }
    // Between its curve and its publication: the wave is filling the spare.
    bool isMidRebuild() const noexcept { return stage != Stage::idle; }

    // The spare for levels 1 ... 11 that a rebuild fills and then trades for the played one (only
    // one wave may be mid-rebuild at a time). Without one a rebuild fills the played table.
    void setSpareTable (WaveTables::UpperInterpolation** spareTable) noexcept { spare = spareTable; }

    int controlPointCount() const noexcept { return numControlPoints; }
    int controlPointX (int index) const noexcept { return controlX[(size_t) index]; }
    float controlPointY (int index) const noexcept { return controlY[(size_t) index]; }

    WaveTables* const tables;
    EventDispatcherAudio* const eventTarget;

    // The curve always repeats: the control polygon borrows its ends from the adjacent cycles.
    static constexpr bool periodic = true;

    DisplayTable displayTable;                        // level 0, for the curve editor
    std::atomic<bool> displayUpdated { false };       // the editor clears it after repainting
    // A point parameter has changed. Atomic: a host write applied at once (offline, or with a
    // full queue) sets it on the host's thread while the audio thread clears it.
    std::atomic<bool> dirty { true };

protected:
    void buildLevelTables() noexcept;

    // The interpolation tables from the level tables: levels 1 ... 11 into the given storage, and
    // level 0 into the played table. A wave that plays no interpolation builds none.
    virtual bool interpolates() const noexcept { return false; }
    virtual void interpolateUpperLevels (WaveTables::UpperInterpolation&) noexcept {}
    virtual void interpolateTopLevel() noexcept {}

private:
    void insertCopies (int x, float y, int copies) noexcept;
    bool allOnOnePosition() const noexcept;
    void makeConstantCurve() noexcept;
    void makeTwoPositionCycle() noexcept;
    void addPeriodicNeighbours() noexcept;

    void renderWindow (int first, int& cursor) noexcept;
    void renderCornerRun (int first, int& cursor) noexcept;
    void renderSegment (int first, int& cursor) noexcept;

    enum class Stage { idle, levels, topLevel };

    void startRebuild() noexcept;
    void buildLevelsSlice() noexcept;
    void publish() noexcept;

    int numControlPoints = 0;
    std::array<int, maxControlPoints> controlX {};
    std::array<float, maxControlPoints> controlY {};

    Stage stage = Stage::idle;
    WaveTables::UpperInterpolation** spare = nullptr;
};
