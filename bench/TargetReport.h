#pragma once

#include "FileBenchmarks.h"
#include "MedianReport.h"

#include <ostream>
#include <vector>

// After the run: the medians of every operation on every sample, our loads and saves as ratios
// to their floors, and how their cost per byte grows with the file, each against its target.
void PrintTargets(std::ostream &out,
                  const MedianReport &report,
                  const std::vector<SampleFile> &samples);
