// The C runtime must hand the arguments over as typed: the pattern is matched by the
// program's own search, never expanded by the start-up.
int _dowildcard = 0;
