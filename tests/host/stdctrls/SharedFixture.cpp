// The controls tests' headless fixture, shared rather than copied.
#include "../controls/HeadlessFixture.cpp"
