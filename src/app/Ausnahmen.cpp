// The C++ library throws its logic_error, length_error and out_of_range from one object file
// whose exception classes keep their message in the old reference-counted std::string; taking
// it drags in that whole string class and, through it, std::random_device and a second copy
// of std::string, some 80 KB. Defined here, in the program's own objects, the linker takes
// these instead. They throw the same way: the program only ever catches with catch (...), and
// what() keeps the library's message.
#include <exception>
#include <new>

namespace {

class Bibliotheksfehler : public std::exception {
public:
    explicit Bibliotheksfehler(const char* text) : text_(text) {}
    const char* what() const noexcept override { return text_; }

private:
    const char* text_;  // a literal of the library
};

}  // namespace

namespace std {
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_logic_error(const char* text) { throw Bibliotheksfehler(text); }
void __throw_length_error(const char* text) { throw Bibliotheksfehler(text); }
// The format's arguments are left out: the message is for nobody but a debugger.
void __throw_out_of_range_fmt(const char* text, ...) { throw Bibliotheksfehler(text); }
}  // namespace std
