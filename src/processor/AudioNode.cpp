#include "AudioNode.h"

AudioNode::AudioNode()
    : ownedState (std::make_unique<StateBlock>()),
      ownedContext (std::make_unique<DspContext>()),
      state (ownedState.get()),
      context (ownedContext.get()),
      parent (nullptr)
{
}

AudioNode::AudioNode (AudioNode& parentNode) noexcept
    : state (parentNode.state), context (parentNode.context), parent (&parentNode)
{
}
