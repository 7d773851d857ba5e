// A module that loads but has no entry.
extern "C" int SomethingElse() { return 0; }
