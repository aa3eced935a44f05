// The editor opened, ticked and closed on the message thread while the audio thread and a host
// thread report changes and play positions into it. Run under ThreadSanitizer by CI.

#include "GuiTestProcessor.h"
#include "processor/AudioProcessor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
    constexpr int cycles = 25, ticksPerCycle = 4;

    // Runs processBlock in blocks of 512 until stopped; counts the blocks.
    class AudioThread
    {
    public:
        explicit AudioThread (juce::AudioProcessor& p) : processor (p)
        {
            processor.prepareToPlay (48000.0, 512);
            thread = std::thread ([this] { run(); });
        }

        ~AudioThread()
        {
            running = false;
            thread.join();
        }

        std::atomic<long> blocks { 0 };

    private:
        void run()
        {
            juce::AudioBuffer<float> buffer (2, 512);
            juce::MidiBuffer midi;

            while (running)
            {
                for (int c = 0; c < 2; ++c)
                    for (int i = 0; i < 512; ++i)
                        buffer.setSample (c, i, 0.25f);

                processor.processBlock (buffer, midi);
                ++blocks;
            }
        }

        juce::AudioProcessor& processor;
        std::atomic<bool> running { true };
        std::thread thread;
    };

    template <typename Write>
    class HostThread
    {
    public:
        explicit HostThread (Write w) : write (std::move (w)), thread ([this] { run(); }) {}

        ~HostThread()
        {
            running = false;
            thread.join();
        }

    private:
        void run()
        {
            for (int i = 0; running; ++i)
                write (i);
        }

        Write write;
        std::atomic<bool> running { true };
        std::thread thread;
    };

    template <typename Processor>
    void openTickAndClose (Processor& processor, int writtenIndex)
    {
        for (int cycle = 0; cycle < cycles; ++cycle)
        {
            std::unique_ptr<AudioEditorBase> editor (static_cast<AudioEditorBase*> (processor.createEditor()));
            ASSERT_NE (editor, nullptr);

            for (int tick = 0; tick < ticksPerCycle; ++tick)
            {
                editor->setParameterValue (writtenIndex, (float) tick / ticksPerCycle);
                editor->refresh();
            }
        }
    }
}

TEST (EditorConcurrent, TheAudioAndAHostThreadReportWhileEditorsOpenTickAndClose)
{
    AudioProcessor processor;
    {
        AudioThread audio (processor);
        // The host queues its automation; the audio thread's drain applies it and reports it.
        HostThread host ([&] (int i) {
            const long seen = audio.blocks.load();
            while (audio.blocks.load() == seen && i % 64 == 63)
                std::this_thread::yield(); // a few writes per block, so its queue never fills
            processor.setParameter (ParameterLayout::speed, (float) (i % 100) / 100.0f);
        });

        openTickAndClose (processor, ParameterLayout::mix);
    }

    // Everything is quiet now: a fresh editor shows what the processor holds.
    std::unique_ptr<AudioEditorBase> editor (static_cast<AudioEditorBase*> (processor.createEditor()));
    EXPECT_EQ (editor->mirrorEntry (ParameterLayout::speed).value, processor.getParameter (ParameterLayout::speed));
}

TEST (EditorConcurrent, AHostThreadApplyingAtOnceReportsWhileEditorsOpenTickAndClose)
{
    // Offline, a host value is applied at once on the host's thread, so that thread reports it.
    GuiTestProcessor processor;
    processor.setNonRealtime (true);
    {
        AudioThread audio (processor);
        HostThread host ([&] (int i) { processor.setParameter (GuiTestProcessor::continuous, (float) (i % 100) / 100.0f); });
        openTickAndClose (processor, GuiTestProcessor::other);
    }

    auto editor = processor.openEditor();
    EXPECT_EQ (editor->mirrorEntry (GuiTestProcessor::continuous).value, processor.getParameter (GuiTestProcessor::continuous));
}

TEST (EditorPlayPosition, TheAudioThreadHandsTheLfosPhaseAndRateToTheOpenEditorOnly)
{
    AudioProcessor processor;
    processor.prepareToPlay (48000.0, 512);
    juce::AudioBuffer<float> buffer (2, 512);
    juce::MidiBuffer midi;
    buffer.clear();

    std::unique_ptr<AudioEditorBase> editor (static_cast<AudioEditorBase*> (processor.createEditor()));
    EXPECT_EQ (editor->getPlayPosition().rate, 0.0f);
    processor.processBlock (buffer, midi);
    processor.processBlock (buffer, midi);
    const auto position = editor->getPlayPosition();
    EXPECT_GT (position.rate, 0.0f);
    EXPECT_GT (position.phase, 0.0f);

    editor.reset();
    processor.processBlock (buffer, midi); // no editor: nothing is handed over, nothing breaks
}
