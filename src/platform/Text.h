// Text helpers in the ANSI code page: case, blanks, and the number and boolean texts of the
// settings.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

std::string Gross(std::string s);   // upper case, umlauts included
std::string Klein(std::string s);   // lower case, umlauts included
bool GleichOhneFall(const std::string& a, const std::string& b);
std::string Trimmen(const std::string& s);        // blanks off both ends
std::string RechtsTrimmen(const std::string& s);  // blanks off the end

// A decimal number as the settings store it. Either "." or "," separates the fraction,
// because older releases wrote the user's separator. Nothing else may follow.
std::optional<double> TextZuZahl(const std::string& text);
std::optional<int16_t> TextZuInt16(const std::string& text);  // rounds half to even
std::optional<int32_t> TextZuInt32(const std::string& text);
std::optional<float> TextZuSingle(const std::string& text);
// "True"/"False" in any case (also the German words), or a number: non-zero is true.
std::optional<bool> TextZuBool(const std::string& text);

std::string ZahlZuText(double wert);  // shortest text that reads back as the same single
std::string BoolZuText(bool wert);

// A time as the log writes it: "JJJJ-MM-TT hh:mm:ss".
bool IstZeitstempel(const std::string& text);
