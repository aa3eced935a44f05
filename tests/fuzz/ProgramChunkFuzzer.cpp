// libFuzzer target: arbitrary bytes as a preset (a program chunk) for
// setCurrentProgramStateInformation.

#include "ChunkFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto read = std::make_unique<ProgramRecord>();
    auto migrated = std::make_unique<ProgramRecord>();
    const bool accepts = size > 0 && ProgramRecord::read (data, size, *read)
                      && ProgramRecord::loadProgramData (*read, *migrated, ProgramRecord::currentVersion);

    ChunkFuzzing::check (data, size, accepts,
                         [] (AudioProcessor& p, const uint8_t* bytes, int n)
                         { p.setCurrentProgramStateInformation (bytes, n); });
    return 0;
}
