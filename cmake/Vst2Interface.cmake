# Makes the VST 2.4 interface headers that JUCE's VST 2 wrapper and hosting code compile against:
# a copy of Debian's fst headers, generated at configure time, in which the opcodes fst has not
# documented get their real VST 2.4 numbers (otherwise hosts' tail-size and bypass requests never
# arrive), the speaker arrangement has its 8 inline entries JUCE's hosting code writes to, and
# fst's build-time #warning lines are gone. Nothing of fst is committed to this project.

set(ORVANTA_FST_DIR "/usr/include/pluginterfaces/fst" CACHE PATH "Directory of Debian's fst headers")
set(vst2_out "${CMAKE_BINARY_DIR}/vst2-interface")
set(vst2_headers "${vst2_out}/pluginterfaces/vst2.x")

if(NOT EXISTS "${ORVANTA_FST_DIR}/fst.h")
    message(FATAL_ERROR "fst.h not found in ${ORVANTA_FST_DIR}: run scripts/setup.sh (package fst-dev)")
endif()

file(READ "${ORVANTA_FST_DIR}/fst.h" fst)

# name  number, from the published VST 2.4 interface
set(vst2_opcodes
    SetBypass 44
    GetTailSize 52
    Idle 53
    KeysRequired 57
    BeginSetProgram 67
    EndSetProgram 68
    GetNumMidiInputChannels 78
    GetNumMidiOutputChannels 79)

list(LENGTH vst2_opcodes n)
math(EXPR last "${n} - 1")
foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET vst2_opcodes ${i} name)
    list(GET vst2_opcodes ${j} number)
    set(before "FST_EFFECT_OPCODE_UNKNOWN(${name})")
    string(FIND "${fst}" "${before}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "fst.h no longer declares ${before}; check the opcode list in ${CMAKE_CURRENT_LIST_FILE}")
    endif()
    string(REPLACE "${before}" "FST_EFFECT_OPCODE(${name}, ${number})" fst "${fst}")
endforeach()

# The audio pin flags, which fst leaves at 0, so pins would be neither active nor a stereo pair.
set(vst2_pin_flags PinIsActive 0 PinIsStereo 1 PinUseSpeaker 2)
foreach(i RANGE 0 4 2)
    math(EXPR j "${i} + 1")
    list(GET vst2_pin_flags ${i} name)
    list(GET vst2_pin_flags ${j} bit)
    string(REPLACE "FST_FLAG_UNKNOWN(${name})" "FST_FLAG(${name}, ${bit})" fst "${fst}")
endforeach()

# Pin properties end in 48 reserved bytes that fst leaves out; hosts allocate them, and JUCE's
# wrapper may write its label's terminating zero into the first of them.
string(REPLACE "char shortLabel[8];\n} FST_UNKNOWN(t_fstPinProperties);"
               "char shortLabel[8];\n  char future[48];\n} FST_UNKNOWN(t_fstPinProperties);" fst "${fst}")
string(FIND "${fst}" "char future[48];" at)
if(at EQUAL -1)
    message(FATAL_ERROR "could not complete the pin properties in fst.h")
endif()

string(REPLACE "speakers[];" "speakers[8];" fst "${fst}")
string(REGEX REPLACE "\n# *warning[^\n]*" "\n" fst "${fst}")

file(MAKE_DIRECTORY "${vst2_headers}")
# Written through configure_file so an unchanged header keeps its time stamp and nothing rebuilds.
file(WRITE "${vst2_out}/fst.h.generated" "${fst}")
configure_file("${vst2_out}/fst.h.generated" "${vst2_headers}/fst.h" COPYONLY)
foreach(header aeffect.h aeffectx.h)
    configure_file("${ORVANTA_FST_DIR}/${header}" "${vst2_headers}/${header}" COPYONLY)
endforeach()

juce_set_vst2_sdk_path("${vst2_out}")
