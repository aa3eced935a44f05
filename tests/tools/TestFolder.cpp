#include "TestFolder.h"

TestFolder::TestFolder()
    // A name of its own: test processes run side by side, and a name merely not taken yet could
    // be chosen by two of them at once.
    : folder (juce::File::getSpecialLocation (juce::File::tempDirectory)
                  .getChildFile ("orvanta-tool-test-" + juce::Uuid().toString()))
{
    folder.createDirectory();
}

TestFolder::~TestFolder()
{
    folder.deleteRecursively();
}

juce::StringArray TestFolder::fileNames() const
{
    juce::StringArray names;

    for (const auto& entry : juce::RangedDirectoryIterator (folder, false, "*", juce::File::findFilesAndDirectories))
        names.add (entry.getFile().getFileName());

    names.sort (false);
    return names;
}
