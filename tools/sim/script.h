#pragma once
// Runs a scenario file; 0 when every command ran and every expectation held.
int run_script(const char* path);
