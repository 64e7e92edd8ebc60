#pragma once

// The whole start-up sequence of the program: command line, single instance,
// program directory, option words, controller, settings window.
int VelmoraMain(int argc, char **argv);
