// SDL 2.26 opens a D-Bus connection when its video starts and never lets
// libdbus free it (dbus_shutdown is not called), which LeakSanitizer would
// report at exit in sanitizer builds. The runtime calls this hook; other
// builds ignore it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
