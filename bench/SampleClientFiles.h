#pragma once

#include "ClientFile.h"

#include <cstddef>
#include <string>

// Two settings records that differ in every value a save writes, so that saving one over a
// file that holds the other rewrites all 647 known keys. variant is 0 or 1.
ClientSettings SampleSettings(int variant);

// Writes a client file as the game and its players leave it: comments, CRLF line endings, every
// known section holding settings among unknown sections, until the file is about targetBytes
// long. Larger targets add more unknown sections, spread between the known ones. Returns the
// file's size, or 0 when it could not be written.
std::size_t WriteSampleClientFile(const std::string &path,
                                  std::size_t targetBytes,
                                  const ClientSettings &settings);
