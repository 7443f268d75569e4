// Binary floating-point numbers as decimal text and back, correctly rounded with ties to even,
// exactly as the C library's printf and strtod do it. The program's own, because the library's
// machinery for them is a tenth of the 32-bit program file.
#pragma once
#include <string>

std::string DezimalG(double wert, int stellen);  // printf("%.*g", stellen, wert), stellen >= 1
std::string DezimalF0(double wert);              // printf("%.0f", wert)

// What strtod and strtof make of a whole text of the form [+-]digits[.digits][e[+-]digits]
// (digits may be left out before or after the "."), or of printf's "inf" and "nan". 0 when the
// text holds no digit.
double DezimalZuDouble(const std::string& text);
float DezimalZuFloat(const std::string& text);
