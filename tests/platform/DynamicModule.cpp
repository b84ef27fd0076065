// A small shared object that the dynamic-loading tests copy below the drive root and load.
extern "C" __attribute__((visibility("default"))) int TestModuleTwice(int value) {
    return 2 * value;
}
