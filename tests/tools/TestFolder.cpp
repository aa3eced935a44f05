#include "TestFolder.h"

TestFolder::TestFolder()
    : folder (juce::File::getSpecialLocation (juce::File::tempDirectory)
                  .getNonexistentChildFile ("orvanta-tool-test", {}, false))
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
