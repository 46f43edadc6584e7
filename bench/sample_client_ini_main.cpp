// Writes the 30 KB sample client file the benchmarks use as FOLDER/dmclient.ini, for the
// start-up benchmark script.

#include "SampleFolder.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: sample_client_ini FOLDER\n";
        return EXIT_FAILURE;
    }
    if (WriteSampleClientIni(argv[1], 30 * 1024).empty()) {
        std::cerr << "Could not write " << argv[1] << "/dmclient.ini\n";
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
