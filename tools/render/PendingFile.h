#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// An output file written under a hidden temporary name in its own folder and renamed to its
// real name only when complete, so a failed run never leaves a half-written file behind.
class PendingFile
{
public:
    // Throws ToolError when the folder does not exist or the target is a folder.
    explicit PendingFile (const juce::File& target);

    std::unique_ptr<juce::OutputStream> createStream();
    void write (const juce::MemoryBlock& data);

    // Renames the temporary file to the target. Throws ToolError when that fails.
    void commit();

    const juce::File& getTarget() const noexcept { return target; }

private:
    juce::File target;
    juce::TemporaryFile temporary;
};
