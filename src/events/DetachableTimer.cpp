#include "DetachableTimer.h"

void DetachableTimer::start (int intervalMs, std::function<void()> callback)
{
    stop();
    ticker = new Ticker();
    ticker->callback = std::move (callback);
    ticker->startTimer (intervalMs);
}

void DetachableTimer::stop()
{
    if (ticker == nullptr)
        return;

    {
        const std::lock_guard<std::mutex> waitForCallback (ticker->lock);
        ticker->callback = nullptr;
    }

    ticker->stopTimer();
    auto* finished = std::exchange (ticker, nullptr);
    auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();

    if (messageManager == nullptr || messageManager->isThisTheMessageThread())
        delete finished;
    else
        juce::MessageManager::callAsync ([finished] { delete finished; });
}

void DetachableTimer::Ticker::timerCallback()
{
    const std::lock_guard<std::mutex> running (lock);

    if (callback != nullptr)
        callback();
}
