#pragma once

#include <functional>
#include <optional>
#include <string>

// Why the FILE of the command line cannot be edited: it is a folder, it exists but cannot be
// read, or its folder does not exist; nullopt when it can (also when it does not exist yet, to
// be created by the first save).
std::optional<std::string> ClientFileProblem(const std::string &file);
// The line for the error stream about such a FILE.
std::string ClientFileProblemText(const std::string &file, const std::string &problem);

// A variable of the environment; nullptr when it is not set.
using EnvironmentLookup = std::function<const char *(const char *name)>;

// Whether the windowing system Qt would pick can be reached, judged from the environment only,
// so that a program started without one can say so instead of aborting in Qt. Always true off
// Linux and the other X11 and Wayland systems, and for Qt's platforms that need no display
// server (offscreen, minimal, ...).
bool DisplayMayOpen(const EnvironmentLookup &environment);
// The line for the error stream when it cannot.
std::string NoDisplayText();
