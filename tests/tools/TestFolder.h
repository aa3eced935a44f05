#pragma once

#include <juce_core/juce_core.h>

// A fresh empty folder for one test's files, deleted with everything in it afterwards.
class TestFolder
{
public:
    TestFolder();
    ~TestFolder();

    juce::File file (const juce::String& name) const { return folder.getChildFile (name); }
    // Every file in the folder, hidden ones too, by name.
    juce::StringArray fileNames() const;

private:
    juce::File folder;

    TestFolder (const TestFolder&) = delete;
    TestFolder& operator= (const TestFolder&) = delete;
};
