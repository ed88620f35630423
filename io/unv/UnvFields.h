// Field helpers for universal-file records: blank-separated numbers read like scanf's "%d" and
// "%lf", Fortran "D" exponents, and the trimming the dataset framing relies on.
#pragma once

#include <string>
#include <string_view>

// Blank, tab and the other C white-space characters.
bool IsUnvBlank(char c);

std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);
std::string_view Trim(std::string_view text);

// Turns every "D" and "d" into "E", so that "1.5D+03" and "1.5d+03" read as 1500.
void FixExponent(std::string& line);

// Reads up to maxCount integers, each after optional blanks, stopping at the first text that
// is not one (as "%d%d..." does); returns how many were read. Values outside int are not read.
int ScanInts(std::string_view text, int* values, int maxCount);

// The same for reals; "1.0E+00-2.0E+00" gives two values, like "%lf%lf".
int ScanReals(std::string_view text, double* values, int maxCount);

// True for a line that reads "-1" once blanks at both ends are removed: a dataset's end.
bool IsUnvClosingLine(std::string_view line);
