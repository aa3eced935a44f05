# `cmake --install <build dir>` copies the built plug-ins into the current user's plug-in folders:
# ~/.vst, ~/.vst3 and ~/.lv2, where Linux hosts look for them. HOME is read at install time.
foreach(format VST VST3 LV2)
    set(artefact "$<GENEX_EVAL:$<TARGET_PROPERTY:Orvanta2_${format},JUCE_PLUGIN_ARTEFACT_FILE>>")
    string(TOLOWER "${format}" folder)
    install(CODE "
        set(destination \"\$ENV{HOME}/.${folder}\")
        file(MAKE_DIRECTORY \"\${destination}\")
        message(STATUS \"Installing ${artefact} into \${destination}\")
        file(COPY \"${artefact}\" DESTINATION \"\${destination}\")
    ")
endforeach()
