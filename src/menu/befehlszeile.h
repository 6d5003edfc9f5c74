// The command line, read before the console is touched.
#pragma once

// 0 or 2: the answer is written and the program ends with that status;
// -1: start the menu.
int befehlszeile(int argc, char **argv);
