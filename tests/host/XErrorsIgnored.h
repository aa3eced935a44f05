#pragma once

// Installs an Xlib error handler that ignores every error. Two JUCE copies in one process share
// Xlib's process-wide handler, and the plug-in's requests to a bare server (BadAtom on a property
// with atom 0) would otherwise end the host.
void ignoreXErrors();
