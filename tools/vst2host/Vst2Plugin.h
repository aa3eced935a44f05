#pragma once

#include <pluginterfaces/vst2.x/aeffectx.h>

#include <memory>
#include <string>
#include <vector>

// A VST 2.4 plug-in loaded the way a host loads one: dlopen, an entry point, the dispatcher.
// Not thread-safe; one plug-in per object, any number of objects.
class Vst2Plugin
{
public:
    enum class Entry { vstPluginMain, main };

    struct LoadOptions
    {
        Entry entry = Entry::vstPluginMain;
        int hostVersion = 2400;          // what the host callback answers to the version request
        double sampleRate = 48000.0;
        int maxBlockSize = 4096;
        bool offline = false;            // the host renders offline (process level 4)
    };

    // Loads the library and creates the effect; null with a message in error when either fails.
    static std::unique_ptr<Vst2Plugin> load (const std::string& path, const LoadOptions& options, std::string& error);

    // Asks only whether the entry point creates an effect (then closes it again).
    static bool entryCreatesEffect (const std::string& path, const LoadOptions& options, std::string& error);

    ~Vst2Plugin();

    AEffect& effect() const noexcept { return *aeffect; }
    t_fstPtrInt dispatch (int opcode, int index = 0, t_fstPtrInt value = 0, void* ptr = nullptr, float opt = 0.0f);

    std::string getString (int opcode, int index = 0);
    int canDo (const char* query);
    bool getPinLabel (bool input, int index, std::string& label, int& flags);

    // Switches processing on (sample rate, block size, mains on, start) or off.
    void resume();
    void suspend();

    // Runs processReplacing on separate stereo input and output buffers of n frames.
    void processStereo (const float* left, const float* right, float* outLeft, float* outRight, int n);

private:
    Vst2Plugin (void* library, AEffect* effect, const LoadOptions& options);

    void* library;
    AEffect* aeffect;
    LoadOptions options;
    bool running = false;
};
