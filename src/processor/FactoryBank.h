#pragma once

#include <cstdint>
#include <vector>

// The sixteen programs a fresh instance starts with, kept in the bank layout of format 2 (the
// oldest with 16 programs), so every start migrates them through each later format.
class FactoryBank
{
public:
    static constexpr int formatTwoSize = 40388;

    // The factory bank as a format-2 bank chunk.
    static std::vector<uint8_t> formatTwoBytes();
};
