#include "Vst2Plugin.h"

#include <dlfcn.h>

#include <atomic>
#include <cstring>

static_assert (effGetTailSize == 52 && effSetBypass == 44,
               "the VST 2 interface headers must carry the real opcode numbers (cmake/Vst2Interface.cmake)");

namespace
{
    using EntryFunction = AEffect* (*) (audioMasterCallback);
    constexpr int offlineProcessLevel = 4;

    // The answer to the version request while an entry point runs. Loads are serialised by the
    // callers (tests and tools create plug-ins from one thread), so one value suffices.
    std::atomic<int> versionAnswer { 2400 };
    std::atomic<int> processLevelAnswer { 0 };

    t_fstPtrInt hostCallback (AEffect*, int opcode, int, t_fstPtrInt, void* const, float)
    {
        switch (opcode)
        {
            case audioMasterVersion:            return versionAnswer.load();
            case audioMasterGetCurrentProcessLevel: return processLevelAnswer.load();
            default:                            return 0;     // no transport, no automation record
        }
    }

    void* openLibrary (const std::string& path, std::string& error)
    {
        void* library = dlopen (path.c_str(), RTLD_NOW | RTLD_LOCAL);

        if (library == nullptr)
            error = "cannot load " + path + ": " + dlerror();

        return library;
    }

    AEffect* callEntry (void* library, const Vst2Plugin::LoadOptions& options, std::string& error)
    {
        const char* name = options.entry == Vst2Plugin::Entry::main ? "main" : "VSTPluginMain";
        auto entry = reinterpret_cast<EntryFunction> (dlsym (library, name));

        if (entry == nullptr)
        {
            error = std::string ("the library exports no ") + name;
            return nullptr;
        }

        versionAnswer = options.hostVersion;
        processLevelAnswer = options.offline ? offlineProcessLevel : 0;
        AEffect* effect = entry (hostCallback);

        if (effect == nullptr)
            error = std::string (name) + " created no effect";
        else if (effect->magic != 0x56737450) // 'VstP'
            error = "the effect record has the wrong magic number";

        return effect;
    }
}

std::unique_ptr<Vst2Plugin> Vst2Plugin::load (const std::string& path, const LoadOptions& options, std::string& error)
{
    void* library = openLibrary (path, error);

    if (library == nullptr)
        return nullptr;

    AEffect* effect = callEntry (library, options, error);

    if (effect == nullptr || effect->magic != 0x56737450)
    {
        dlclose (library);
        return nullptr;
    }

    return std::unique_ptr<Vst2Plugin> (new Vst2Plugin (library, effect, options));
}

bool Vst2Plugin::entryCreatesEffect (const std::string& path, const LoadOptions& options, std::string& error)
{
    void* library = openLibrary (path, error);

    if (library == nullptr)
        return false;

    AEffect* effect = callEntry (library, options, error);

    if (effect != nullptr)
        effect->dispatcher (effect, effClose, 0, 0, nullptr, 0.0f);

    dlclose (library);
    return effect != nullptr;
}

Vst2Plugin::Vst2Plugin (void* lib, AEffect* effect, const LoadOptions& opts)
    : library (lib), aeffect (effect), options (opts)
{
    dispatch (effOpen);
}

Vst2Plugin::~Vst2Plugin()
{
    suspend();
    dispatch (effClose);
    dlclose (library);
}

t_fstPtrInt Vst2Plugin::dispatch (int opcode, int index, t_fstPtrInt value, void* ptr, float opt)
{
    return aeffect->dispatcher (aeffect, opcode, index, value, ptr, opt);
}

std::string Vst2Plugin::getString (int opcode, int index)
{
    // Larger than any string the interface allows, and pre-zeroed, so an overlong answer shows.
    char text[256] = {};
    dispatch (opcode, index, 0, text);
    return text;
}

int Vst2Plugin::canDo (const char* query)
{
    return (int) dispatch (effCanDo, 0, 0, const_cast<char*> (query));
}

bool Vst2Plugin::getPinLabel (bool input, int index, std::string& label, int& flags)
{
    VstPinProperties properties {};

    if (dispatch (input ? effGetInputProperties : effGetOutputProperties, index, 0, &properties) == 0)
        return false;

    label = properties.label;
    flags = properties.flags;
    return true;
}

void Vst2Plugin::resume()
{
    if (running)
        return;

    dispatch (effSetSampleRate, 0, 0, nullptr, (float) options.sampleRate);
    dispatch (effSetBlockSize, 0, options.maxBlockSize);
    dispatch (effMainsChanged, 0, 1);
    running = true;
}

void Vst2Plugin::suspend()
{
    if (! running)
        return;

    dispatch (effMainsChanged, 0, 0);
    running = false;
}

void Vst2Plugin::processStereo (const float* left, const float* right, float* outLeft, float* outRight, int n)
{
    float* inputs[] = { const_cast<float*> (left), const_cast<float*> (right) };
    float* outputs[] = { outLeft, outRight };
    aeffect->processReplacing (aeffect, inputs, outputs, n);
}
