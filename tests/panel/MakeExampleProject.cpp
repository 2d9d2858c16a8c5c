// make_example_project FOLDER: writes the example panel project into
// FOLDER (which must exist and should be empty).
#include "tests/panel/ExampleProject.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_example_project FOLDER\n";
        return 1;
    }
    if (!WriteExampleProject(argv[1])) {
        std::cerr << "make_example_project: could not write the project\n";
        return 1;
    }
    return 0;
}
