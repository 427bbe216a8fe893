#pragma once
// The --channel option of levels and curves: rgb (all channels), red, green or blue.

class TCliArgs;

// 0 for rgb or no option, 1..3 for red, green, blue; a usage error for anything else.
int CliChannel(const TCliArgs& args);
