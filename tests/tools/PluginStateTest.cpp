// State files written by orvanta-render load back: as .fxb and .fxp presets and as the bare chunk,
// taken from the plug-in in any of its formats.

#include "PluginState.h"
#include "ReferenceHost.h"
#include "RenderTool.h"
#include "TestFolder.h"
#include "ToolError.h"

#include <gtest/gtest.h>

namespace
{
    constexpr double sampleRate = 48000.0;
    constexpr int blockSize = 512;
    constexpr int swoosh = 5;
    constexpr float savedMix = 0.25f;

    struct StateCase
    {
        const char* name;
        const ReferenceHost::Plugin* savedFrom;
        const char* fileName;
        const ReferenceHost::Plugin* passedThrough; // loaded into this format and saved again as a chunk
        bool wholeBank;                             // else the saved program lands in the current one
    };

    void PrintTo (const StateCase& stateCase, std::ostream* out) { *out << stateCase.name; }

    RenderSettings shortRender (const TestFolder& folder)
    {
        RenderSettings settings;
        settings.output = folder.file ("out.wav");
        settings.demoSeconds = 0.1;
        settings.writePicture = false;
        settings.showProgress = false;
        return settings;
    }

    class PluginStateFiles : public testing::TestWithParam<StateCase> {};
}

TEST_P (PluginStateFiles, WrittenByTheToolLoadBack)
{
    TestFolder folder;
    auto first = shortRender (folder);
    first.plugin = juce::File (GetParam().savedFrom->path);
    first.program = "Swoosh";
    first.parameterAssignments = { "Mix=0.25" };
    first.stateToSave = folder.file (GetParam().fileName);
    RenderTool (first).run();

    auto stateFile = first.stateToSave;

    if (GetParam().passedThrough != nullptr)
    {
        auto second = shortRender (folder);
        second.plugin = juce::File (GetParam().passedThrough->path);
        second.stateToLoad = stateFile;
        second.stateToSave = stateFile = folder.file ("again.chunk");
        RenderTool (second).run();
    }

    auto plugin = ReferenceHost::load (ReferenceHost::vst2, sampleRate, blockSize);
    ASSERT_NE (plugin, nullptr);
    PluginState::load (*plugin, stateFile);

    if (GetParam().wholeBank)
    {
        plugin->setCurrentProgram (swoosh);
        EXPECT_EQ (plugin->getProgramName (swoosh), "Swoosh");
    }

    EXPECT_FLOAT_EQ (ReferenceHost::parameterNamed (*plugin, "Mix")->getValue(), savedMix);
}

INSTANTIATE_TEST_SUITE_P (
    Cases, PluginStateFiles,
    testing::Values (StateCase { "BankPreset", &ReferenceHost::vst2, "state.fxb", nullptr, true },
                     StateCase { "ProgramPreset", &ReferenceHost::vst2, "state.fxp", nullptr, false },
                     StateCase { "BareChunk", &ReferenceHost::vst2, "state.chunk", nullptr, true },
                     StateCase { "ChunkFromVst3", &ReferenceHost::vst3, "state.chunk", nullptr, true },
                     StateCase { "ChunkFromLv2", &ReferenceHost::lv2, "state.chunk", nullptr, true },
                     StateCase { "BankThroughVst3", &ReferenceHost::vst2, "state.fxb", &ReferenceHost::vst3, true },
                     StateCase { "BankThroughLv2", &ReferenceHost::vst2, "state.fxb", &ReferenceHost::lv2, true }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (PluginState, ABankPresetBringsBackItsCurrentProgram)
{
    TestFolder folder;
    auto render = shortRender (folder);
    render.program = "Swoosh";
    render.stateToSave = folder.file ("state.fxb");
    RenderTool (render).run();

    auto reload = shortRender (folder);
    reload.stateToLoad = render.stateToSave;
    EXPECT_TRUE (RenderTool (reload).run().contains ("program 5 \"Swoosh\""));
}

TEST (PluginState, RefusesAPresetOfAnotherPlugin)
{
    TestFolder folder;
    auto render = shortRender (folder);
    render.stateToSave = folder.file ("state.fxb");
    RenderTool (render).run();

    juce::MemoryBlock data;
    render.stateToSave.loadFileAsData (data);
    static_cast<char*> (data.getData())[16] = 'Z'; // fxID
    render.stateToSave.replaceWithData (data.getData(), data.getSize());

    auto plugin = ReferenceHost::load (ReferenceHost::vst2, sampleRate, blockSize);
    ASSERT_NE (plugin, nullptr);
    EXPECT_THROW (PluginState::load (*plugin, render.stateToSave), ToolError);
}
