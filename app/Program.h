#pragma once

// Starts Quillmere on the real desktop and runs it until it ends; returns the
// process's exit status.
int runQuillmere(int argc, char *argv[]);
