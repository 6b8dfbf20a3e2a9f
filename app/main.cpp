// Torvanic Hotlap Check. The program takes no arguments and no configuration.
#include "app/checker.h"

int main(int argc, char** argv) { return RunChecker(argc, argv); }
