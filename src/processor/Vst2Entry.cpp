// The VST 2 entry points. JUCE's wrapper builds the effect; its own entry points are renamed at
// link time (see cmake/RenameJuceVst2Entry.cmake) so these can stand in front of them and label
// the audio pins the way VST 2 hosts list them: by channel number, "1" and "2".

#include <pluginterfaces/vst2.x/aeffectx.h>

#include <atomic>
#include <cstdio>

extern "C" AEffect* orvantaJuceVstPluginMain (audioMasterCallback audioMaster);

namespace
{
    std::atomic<AEffectDispatcherProc> juceDispatcher { nullptr };

    void labelPinByNumber (void* properties, int index)
    {
        auto& pin = *static_cast<VstPinProperties*> (properties);
        std::snprintf (pin.label, sizeof (pin.label), "%d", index + 1);
        std::snprintf (pin.shortLabel, sizeof (pin.shortLabel), "%d", index + 1);
    }

    t_fstPtrInt dispatch (AEffect* effect, int opcode, int index, t_fstPtrInt value, void* const ptr, float opt)
    {
        const auto result = juceDispatcher.load() (effect, opcode, index, value, ptr, opt);

        if ((opcode == effGetInputProperties || opcode == effGetOutputProperties) && result != 0)
            labelPinByNumber (ptr, index);

        return result;
    }

    AEffect* createEffect (audioMasterCallback audioMaster)
    {
        auto* effect = orvantaJuceVstPluginMain (audioMaster);

        if (effect != nullptr)
        {
            juceDispatcher.store (effect->dispatcher);
            effect->dispatcher = dispatch;
        }

        return effect;
    }
}

extern "C" __attribute__ ((visibility ("default"))) AEffect* VSTPluginMain (audioMasterCallback audioMaster)
{
    return createEffect (audioMaster);
}

extern "C" __attribute__ ((visibility ("default"))) AEffect* orvantaMainEntry (audioMasterCallback audioMaster) asm ("main");

extern "C" AEffect* orvantaMainEntry (audioMasterCallback audioMaster)
{
    return createEffect (audioMaster);
}
