#include "ProgressBar.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace
{
    constexpr int barWidth = 40;
    constexpr int lineWidth = barWidth + 16;
}

ProgressBar::ProgressBar (juce::int64 totalToDo, bool shouldShow)
    : total (juce::jmax ((juce::int64) 1, totalToDo)), visible (shouldShow)
{
}

ProgressBar::~ProgressBar()
{
    finish();
}

bool ProgressBar::wanted (double audioSeconds)
{
    return audioSeconds > minimumSecondsShown && isatty (STDOUT_FILENO) != 0;
}

void ProgressBar::update (juce::int64 done)
{
    if (! visible)
        return;

    const auto percent = (int) (done * 100 / total);

    if (percent == shownPercent)
        return;

    shownPercent = percent;
    const auto filled = percent * barWidth / 100;
    std::printf ("\r[%s%s] %3d%%", std::string ((size_t) filled, '#').c_str(),
                 std::string ((size_t) (barWidth - filled), '.').c_str(), percent);
    std::fflush (stdout);
}

void ProgressBar::finish()
{
    if (! visible || shownPercent < 0)
        return;

    std::printf ("\r%s\r", std::string ((size_t) lineWidth, ' ').c_str());
    std::fflush (stdout);
    shownPercent = -1;
}
