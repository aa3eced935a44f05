// The curve's table handed from the audio thread to the view: one thread edits a point and
// rebuilds the wave while the message thread copies the table and paints from it.

#include "WaveControlTesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

using namespace WaveControlTesting;

TEST (WaveControlConcurrent, TheViewCopiesTheCurveWholeWhileTheAudioThreadRebuildsIt)
{
    Rig rig;
    rig.clearWave (0);
    rig.setPoint (0, 0, 1024, 0.25f, 1);
    rig.settle();
    const auto& table = *rig.waveState().displayTables[0];
    std::atomic<bool> finished { false };

    // Every rebuild turns the one point's flat curve into another flat curve, so a table copied
    // whole holds one value throughout.
    std::thread audio ([&]
    {
        for (int edit = 0; edit < 200; ++edit)
        {
            rig.writePoint (0, 0, ParameterLayout::pointY, (edit % 2) != 0 ? 0.25f : 0.75f);

            do
                rig.process();
            while (rig.rebuilding());
        }

        finished = true;
    });

    auto copy = std::make_unique<DisplayTable::Values>();
    int wholeCopies = 0;

    for (int round = 0; round < 2000 && ! finished; ++round)
    {
        if (round % 50 == 0)
        {
            rig.editor->refresh();
            rig.snapshot();
        }

        if (table.copyTo (*copy))
        {
            ++wholeCopies;
            const float first = (*copy)[0];
            ASSERT_TRUE (std::all_of (copy->begin(), copy->end(), [first] (float v) { return v == first; }))
                << "a copy mixed two rebuilds";
        }
    }

    audio.join();
    EXPECT_GT (wholeCopies, 0);
}
