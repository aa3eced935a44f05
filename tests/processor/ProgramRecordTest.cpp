#include "processor/ProgramRecord.h"

#include <gtest/gtest.h>

#include <vector>

TEST (ProgramRecord, MigratesEveryVersionStepByStepToTheCurrentOne)
{
    ProgramRecord old;
    old.version = 0;
    old.setName ("Old");
    old.values = {};
    old.values[0] = 12.0f;    // "Loop Length" as a step number
    old.values[1] = 3.0f;     // "Used Wave"
    old.values[4] = 1.0f;     // second of two speed types
    old.values[5] = 0.3f;     // "Speed", cleared by the step to version 2
    old.values[100] = 0.25f;  // a point parameter, kept
    old.values[623] = 0.5f;

    ProgramRecord current;
    ASSERT_TRUE (ProgramRecord::loadProgramData (old, current, ProgramRecord::currentVersion));

    EXPECT_EQ (current.version, 5);
    EXPECT_EQ (current.getName(), "Old");
    EXPECT_EQ (current.values[0], (float) (12.0 / 18.0));
    EXPECT_EQ (current.values[1], (float) (3.0 / 10.0));
    EXPECT_EQ (current.values[3], 1.0f);
    EXPECT_EQ (current.values[4], 0.0f);       // cleared at version 2, so the first speed type
    EXPECT_EQ (current.values[5], 0.0f);
    EXPECT_EQ (current.values[9], (float) (1.0 / 17.0));
    EXPECT_EQ (current.values[14], (float) (5.0 / 13.0));
    EXPECT_EQ (current.values[16], 1.0f);
    EXPECT_EQ (current.values[100], 0.25f);
    EXPECT_EQ (current.values[623], 0.5f);
    EXPECT_EQ (current.values[624], 0.0f);     // points 21 ... 40 arrive empty
}

TEST (ProgramRecord, TheSecondOldSpeedTypeBecomesHertzSynced)
{
    for (auto [oldValue, expected] : { std::pair { 0.5f, 3.0f / 7.0f }, std::pair { 1.0f, 3.0f / 7.0f },
                                       std::pair { 0.4999f, 0.0f }, std::pair { 0.0f, 0.0f } })
    {
        ProgramRecord four;
        four.version = 4;
        four.values[4] = oldValue;
        ProgramRecord five;
        ASSERT_TRUE (ProgramRecord::loadProgramData (four, five, 5));
        EXPECT_EQ (five.values[4], expected) << oldValue;
    }
}

TEST (ProgramRecord, RefusesVersionsItDoesNotKnowAndLeavesTheDestination)
{
    for (int version : { 6, -1, 1000 })
    {
        ProgramRecord source, destination;
        source.version = version;
        destination.setName ("untouched");
        EXPECT_FALSE (ProgramRecord::loadProgramData (source, destination, 5)) << version;
        EXPECT_EQ (destination.getName(), "untouched");
    }
}

TEST (ProgramRecord, ReadsOnlyWhatItsVersionWordPromises)
{
    ProgramRecord record;
    record.setName ("Swoosh");
    record.values[1223] = 0.75f;
    std::vector<uint8_t> bytes (ProgramRecord::currentSize);
    record.write (bytes.data());

    ProgramRecord read;
    ASSERT_TRUE (ProgramRecord::read (bytes.data(), bytes.size(), read));
    EXPECT_EQ (read.getName(), "Swoosh");
    EXPECT_EQ (read.values[1223], 0.75f);

    EXPECT_FALSE (ProgramRecord::read (bytes.data(), bytes.size() - 1, read)); // one byte short
    EXPECT_FALSE (ProgramRecord::read (bytes.data(), 3, read));
    EXPECT_FALSE (ProgramRecord::read (nullptr, 4924, read));

    bytes[0] = 3; // a version-3 record is 2524 bytes long
    EXPECT_TRUE (ProgramRecord::read (bytes.data(), ProgramRecord::oldSize, read));
    EXPECT_EQ (read.values[623], record.values[623]);
    EXPECT_EQ (read.values[1223], 0.0f);
}

TEST (ProgramRecord, NamesAreAsciiOfAtMost23Characters)
{
    ProgramRecord record;
    record.name.fill ('x'); // old data may leave anything after the name
    record.setName ("A name of thirty characters..");
    EXPECT_EQ (record.getName(), "A name of thirty charac");
    EXPECT_EQ (record.name[23], '\0');

    record.setName (juce::String::fromUTF8 ("Caf\xc3\xa9 \xe2\x86\x92 Left"));
    EXPECT_EQ (record.getName(), "Caf? ? Left");

    record.name.fill ('\0');
    record.name[0] = (char) 0xe9; // a byte above 127 in old data reads as Latin-1
    EXPECT_EQ (record.getName(), juce::String::charToString (0xe9));
}
