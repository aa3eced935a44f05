#pragma once

#include "DspContext.h"
#include "StateBlock.h"

#include <memory>

// The base of everything that takes part in signal processing. A node made without a parent owns
// a fresh StateBlock and DspContext; a node made with one borrows the parent's, so one plug-in
// instance shares exactly one of each.
class AudioNode
{
public:
    AudioNode();
    explicit AudioNode (AudioNode& parentNode) noexcept;

    AudioNode (const AudioNode&) = delete;
    AudioNode& operator= (const AudioNode&) = delete;

private:
    std::unique_ptr<StateBlock> ownedState;
    std::unique_ptr<DspContext> ownedContext;

public:
    StateBlock* state;
    DspContext* context;
    AudioNode* parent;
};
