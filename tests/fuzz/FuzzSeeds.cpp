// Writes the chunk fuzzers' starting points into a folder: a bank of every format and a program
// of every version, made from the factory programs, and today's state with its current program.

#include "processor/AudioProcessor.h"

#include <iostream>

namespace
{
    void write (const juce::File& file, const void* data, size_t size)
    {
        if (! file.replaceWithData (data, size))
            throw std::runtime_error ("cannot write " + file.getFullPathName().toStdString());
    }
}

int main (int argc, char** argv)
{
    if (argc != 3)
    {
        std::cerr << "usage: orvanta-fuzz-seeds <folder for bank chunks> <folder for program chunks>\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    const juce::File banks (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
    const juce::File programs (juce::File::getCurrentWorkingDirectory().getChildFile (argv[2]));
    banks.createDirectory();
    programs.createDirectory();

    const ProgramBank factory;

    try
    {
        for (int version = 0; version <= BankRecord::currentFormat; ++version)
        {
            BankRecord bank = factory.record();
            bank.format = version;
            for (auto& program : bank.programs)
                program.version = version;

            std::vector<uint8_t> bytes ((size_t) BankRecord::sizeOf (version));
            bank.write (bytes.data());
            write (banks.getChildFile ("format-" + juce::String (version) + ".chunk"), bytes.data(), bytes.size());

            std::vector<uint8_t> program ((size_t) ProgramRecord::sizeOf (version));
            bank.programs[5].write (program.data());
            write (programs.getChildFile ("version-" + juce::String (version) + ".chunk"), program.data(), program.size());
        }

        ProgramBank current;
        current.setCurrent (7);
        juce::MemoryBlock state;
        current.writeBank (state, true);
        write (banks.getChildFile ("with-current-program.chunk"), state.getData(), state.getSize());
    }
    catch (const std::exception& e)
    {
        std::cerr << "orvanta-fuzz-seeds: " << e.what() << "\n";
        return 1;
    }

    return 0;
}
