#pragma once

// The one block of state that a plug-in instance shares between all its nodes. It is allocated
// once, by the processor, and borrowed by every node through AudioNode. The parameter records,
// scratch buffers and wave storage are not part of the plug-in yet, so the block is still empty.
struct StateBlock
{
};
