// The library file itself: everything it exports lives in the core.
