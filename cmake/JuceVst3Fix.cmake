# JUCE 7.0.5's VST 3 wrapper copies a channel mapping, with its std::vector, on every processing
# call (an allocation and a free on the audio thread). The VST 3 target compiles against a copy of
# the one header concerned, made here from the installed JUCE, in which the loop takes a reference
# as the file's other loops do. Nothing of JUCE is committed to this project.

set(vst3_common_relative "juce_audio_processors/format_types/juce_VST3Common.h")
set(vst3_common_in "${JUCE_MODULES_DIR}/${vst3_common_relative}")
set(vst3_fix_dir "${CMAKE_BINARY_DIR}/juce-vst3-fix")

file(READ "${vst3_common_in}" vst3_common)
set(copying "const auto mapping = map[busIndex];")
string(FIND "${vst3_common}" "${copying}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "${vst3_common_in} no longer has `${copying}`; check ${CMAKE_CURRENT_LIST_FILE}")
endif()
string(REPLACE "${copying}" "const auto& mapping = map[busIndex];" vst3_common "${vst3_common}")

# Written through configure_file so an unchanged header keeps its time stamp and nothing rebuilds.
file(WRITE "${vst3_fix_dir}/generated/juce_VST3Common.h" "${vst3_common}")
configure_file("${vst3_fix_dir}/generated/juce_VST3Common.h" "${vst3_fix_dir}/${vst3_common_relative}" COPYONLY)

# The wrapper includes the header as <juce_audio_processors/format_types/juce_VST3Common.h>, so a
# folder searched before JUCE's modules serves the fixed copy.
target_include_directories(Orvanta2_VST3 BEFORE PRIVATE "${vst3_fix_dir}")
