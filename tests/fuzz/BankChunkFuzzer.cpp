// libFuzzer target: arbitrary bytes as a saved state (a bank chunk) for setStateInformation.

#include "ChunkFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto accepted = std::make_unique<BankRecord>();
    const bool accepts = size > 0 && BankRecord::read (data, size, *accepted);

    ChunkFuzzing::check (data, size, accepts,
                         [] (AudioProcessor& p, const uint8_t* bytes, int n) { p.setStateInformation (bytes, n); });
    return 0;
}
