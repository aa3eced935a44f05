#pragma once

#include <stdexcept>
#include <string>

// A problem with what the user asked for (a file, a name, a value): the tools print its one-line
// message and exit with a non-zero status, before any output file is in place.
class ToolError : public std::runtime_error
{
public:
    explicit ToolError (const std::string& message) : std::runtime_error (message) {}
};
