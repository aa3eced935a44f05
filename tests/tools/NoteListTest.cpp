#include "NoteList.h"
#include "ToolError.h"

#include <gtest/gtest.h>

TEST (NoteList, PlaysEachNoteUntilTheNextOne)
{
    const auto sequence = NoteList::fromText ("1.5:64, 0:60 2:67", 1000.0, 3000);
    std::vector<std::tuple<double, bool, int>> events;

    for (const auto* event : sequence)
        events.emplace_back (event->message.getTimeStamp(), event->message.isNoteOn(), event->message.getNoteNumber());

    const std::vector<std::tuple<double, bool, int>> expected {
        { 0.0, true, 60 }, { 1500.0, false, 60 }, { 1500.0, true, 64 },
        { 2000.0, false, 64 }, { 2000.0, true, 67 }, { 3000.0, false, 67 }
    };
    EXPECT_EQ (events, expected);
}

TEST (NoteList, RefusesMalformedLists)
{
    for (const auto* list : { "", "60", "x:60", "1:60.5", "-1:60", "1:128", "1:-1" })
        EXPECT_THROW (NoteList::fromText (list, 48000.0, 48000), ToolError) << list;
}
