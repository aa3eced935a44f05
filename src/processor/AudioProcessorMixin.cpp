#include "AudioProcessorMixin.h"

#include "AudioProcessorBase.h"

AudioProcessorMixin::AudioProcessorMixin (AudioProcessorBase& owner)
    : EventHandler (owner.getEventDispatcher()), AudioNode (owner), processor (&owner)
{
}
