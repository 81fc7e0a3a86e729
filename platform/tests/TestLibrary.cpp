// A tiny shared library for the loader tests: one exported C function.
#ifdef _WIN32
#define TOLVANE_TEST_EXPORT __declspec(dllexport)
#else
#define TOLVANE_TEST_EXPORT __attribute__((visibility("default")))
#endif

extern "C" TOLVANE_TEST_EXPORT int TolvaneTestAnswer(int question) {
    return question + 41;
}
