// The C++ library's default terminate handler writes the demangled type of the exception to
// stderr, which a window program has not got; the demangler alone weighs some 45 KB. Defined
// here, in the program's own objects, the linker takes this one instead. It ends the program
// the same way.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
