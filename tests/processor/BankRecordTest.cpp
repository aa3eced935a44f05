#include "processor/BankRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
    std::unique_ptr<BankRecord> bankOfFormat (int format)
    {
        auto bank = std::make_unique<BankRecord>();
        bank->format = format;
        for (int i = 0; i < BankRecord::numPrograms; ++i)
        {
            auto& program = bank->programs[(size_t) i];
            program.version = format;
            program.setName ("P" + juce::String (i));
            program.values[24] = (float) i / 16.0f;
        }
        return bank;
    }
}

TEST (BankRecord, AFormatOneBankOfEightProgramsBecomesSixteenRepeatingThem)
{
    auto old = bankOfFormat (1);
    std::vector<uint8_t> bytes ((size_t) BankRecord::sizeOf (1));
    ASSERT_EQ (bytes.size(), 20196u);
    old->write (bytes.data());

    auto read = std::make_unique<BankRecord>();
    ASSERT_TRUE (BankRecord::read (bytes.data(), bytes.size(), *read));
    auto bank = std::make_unique<BankRecord>();
    ASSERT_TRUE (bank->loadBankData (*read));

    EXPECT_EQ (bank->format, 5);
    for (int i = 0; i < 16; ++i)
    {
        SCOPED_TRACE (i);
        EXPECT_EQ (bank->programs[(size_t) i].version, 5);
        EXPECT_EQ (bank->programs[(size_t) i].getName(), "P" + juce::String (i % 8));
        EXPECT_EQ (bank->programs[(size_t) i].values[24], (float) (i % 8) / 16.0f);
        EXPECT_EQ (bank->programs[(size_t) i].values[16], 1.0f);
    }
}

TEST (BankRecord, AProgramThatCannotBeMigratedStaysEmpty)
{
    auto old = bankOfFormat (4);
    old->programs[3].version = 9;
    auto bank = std::make_unique<BankRecord>();
    ASSERT_TRUE (bank->loadBankData (*old));

    EXPECT_EQ (bank->programs[3].getName(), "");
    EXPECT_EQ (bank->programs[3].values[24], 0.0f);
    EXPECT_EQ (bank->programs[4].getName(), "P4");
}

TEST (BankRecord, RefusesUnknownFormatsAndShortDataWithoutChangingAnything)
{
    auto bank = bankOfFormat (5);
    std::vector<uint8_t> bytes ((size_t) BankRecord::currentSize);
    bank->write (bytes.data());
    auto target = std::make_unique<BankRecord>();

    EXPECT_FALSE (BankRecord::read (bytes.data(), bytes.size() - 1, *target));

    bytes[0] = 6;
    EXPECT_FALSE (BankRecord::read (bytes.data(), bytes.size(), *target));

    auto newer = bankOfFormat (6);
    auto before = std::make_unique<BankRecord> (*target);
    EXPECT_FALSE (target->loadBankData (*newer));
    EXPECT_EQ (target->programs[0].getName(), before->programs[0].getName());
}

TEST (BankRecord, AProgramWhoseVersionIsNotItsBanksStaysEmptyAndTheBankWritesEveryByte)
{
    // A current bank in which one program claims an older, shorter layout: written as it claims,
    // it would leave most of its place in the chunk unwritten.
    auto damaged = bankOfFormat (BankRecord::currentFormat);
    damaged->programs[3].version = 3;
    std::vector<uint8_t> bytes ((size_t) BankRecord::currentSize, 0xee);
    damaged->write (bytes.data());

    auto read = std::make_unique<BankRecord>();
    ASSERT_TRUE (BankRecord::read (bytes.data(), bytes.size(), *read));
    auto loaded = std::make_unique<BankRecord>();
    ASSERT_TRUE (loaded->loadBankData (*read));

    EXPECT_EQ (loaded->programs[3].version, BankRecord::currentFormat);
    EXPECT_EQ (loaded->programs[3].getName(), "");
    EXPECT_EQ (loaded->programs[4].getName(), "P4");

    std::vector<uint8_t> written ((size_t) BankRecord::currentSize, 0xee);
    loaded->write (written.data());
    auto reread = std::make_unique<BankRecord>();
    ASSERT_TRUE (BankRecord::read (written.data(), written.size(), *reread));
    EXPECT_EQ (std::count (written.begin(), written.end(), (uint8_t) 0xee), 0);
}
