#pragma once

// ctest runs every test offscreen. A test that needs a real X server calls this first: on the
// offscreen platform it runs the current test again in a child process on the X display (or
// marks it skipped when there is none) and returns true; the caller then returns. On X itself
// it returns false and the test goes on.
bool ranOnRealX();
