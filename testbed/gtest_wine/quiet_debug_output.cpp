// GoogleTest copies every failure message to OutputDebugStringA. Under Wine on
// machines where 32-bit code runs through qemu's user-mode emulation, the
// debug-output exception that call raises cannot be unwound, and the test
// program dies right after its first failure, losing the rest of the run.
// Test programs link this file so that their import of OutputDebugStringA
// resolves to a function that does nothing; the message is on stdout anyway.
//
// No Windows header here: it would declare the function as imported.
namespace {
void __attribute__((stdcall)) IgnoreDebugOutput(const char*) {}
}  // namespace

extern "C" void* gOutputDebugStringAImport __asm__("__imp__OutputDebugStringA@4");
void* gOutputDebugStringAImport = reinterpret_cast<void*>(&IgnoreDebugOutput);
