#pragma once

// The commands of the curve editor, as the curve buttons and the arrow keys number them.
// The gaps belong to commands this product does not offer.
enum class WaveModifier
{
    DeletePoints = 0,
    ValueUp = 1,
    ValueUpFine = 2,
    ValueDown = 3,
    ValueDownFine = 4,
    TimeEarlier = 5,
    TimeEarlierFine = 6,
    TimeLater = 7,
    TimeLaterFine = 8,
    ShapeSine = 12,
    ShapeTriangle = 15,
    Randomize = 16,
    Undo = 25,
    Redo = 26
};
