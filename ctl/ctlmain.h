#pragma once

// The whole of velmoractl: the command line, the offscreen toolkit, the
// description and the command. Returns the exit status.
[[nodiscard]] int VelmoraCtlMain(int argc, char **argv);
