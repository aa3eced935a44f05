# Run before the VST 2 plug-in is linked: renames the entry points in JUCE's compiled VST 2
# wrapper, so the project's own VSTPluginMain and main (src/processor/Vst2Entry.cpp) are the
# ones the host finds. Renaming an already renamed object changes nothing.
file(GLOB_RECURSE wrapper_objects "${OBJECT_DIR}/*juce_audio_plugin_client_VST2.cpp.o")

if(NOT wrapper_objects)
    message(FATAL_ERROR "JUCE's VST 2 wrapper object was not found under ${OBJECT_DIR}")
endif()

foreach(object ${wrapper_objects})
    execute_process(
        # --preserve-dates keeps the time stamp the build tool recorded, so nothing rebuilds next time.
        COMMAND "${OBJCOPY}" --preserve-dates
            --redefine-sym VSTPluginMain=orvantaJuceVstPluginMain
            --redefine-sym main=orvantaJuceMain
            "${object}"
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "objcopy failed on ${object}")
    endif()
endforeach()
