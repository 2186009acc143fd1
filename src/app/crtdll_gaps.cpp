// The saver links crtdll.dll, the C runtime that every 32-bit Windows
// carries (msvcrt.dll is missing from the first edition of Windows 95). The
// C++ library still refers to three functions that crtdll.dll lacks, on a path
// the saver never takes (std::random_device); these stand in for them.
extern "C" {

int _close(int file);
int _read(int file, void* buffer, unsigned int count);

int close(int file) { return _close(file); }
int read(int file, void* buffer, unsigned int count) { return _read(file, buffer, count); }

static int __cdecl NoRandomNumbers(unsigned int* value) {
  *value = 0;
  return 22;  // EINVAL
}
int(__cdecl* _imp__rand_s)(unsigned int*) = NoRandomNumbers;
}
