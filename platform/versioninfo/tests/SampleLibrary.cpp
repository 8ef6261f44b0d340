// A shared library that exists only to carry version information for the tests.
extern "C" int versioninfoSampleAnswer()
{
    return 42;
}
