#include "PendingFile.h"

#include "ToolError.h"

PendingFile::PendingFile (const juce::File& file)
    : target (file), temporary (file, juce::TemporaryFile::useHiddenFile)
{
    const auto path = target.getFullPathName().toStdString();

    if (target.isDirectory())
        throw ToolError (path + " is a folder, not a file");

    if (! target.getParentDirectory().isDirectory())
        throw ToolError ("the folder of " + path + " does not exist");
}

std::unique_ptr<juce::OutputStream> PendingFile::createStream()
{
    auto stream = std::make_unique<juce::FileOutputStream> (temporary.getFile());

    if (! stream->openedOk())
        throw ToolError ("cannot write into the folder of " + target.getFullPathName().toStdString() + ": "
                         + stream->getStatus().getErrorMessage().toStdString());

    return stream;
}

void PendingFile::write (const juce::MemoryBlock& data)
{
    auto stream = createStream();

    if (! stream->write (data.getData(), data.getSize()))
        throw ToolError ("cannot write " + target.getFullPathName().toStdString());

    stream->flush();
}

void PendingFile::commit()
{
    if (! temporary.overwriteTargetFileWithTemporary())
        throw ToolError ("cannot replace " + target.getFullPathName().toStdString());
}
