#pragma once

#include <vector>

#include <QStringList>

// Bindings that more than one function uses.
struct KeyClashes
{
    // For each binding, the indices of the others equal to it.
    std::vector<std::vector<int>> partners;
    // How many different bindings are shared.
    int count = 0;
};

// Compares the bindings trimmed and ignoring letter case; empty ones never clash.
KeyClashes FindKeyClashes(const QStringList &bindings);
