// Conversions of single bulk-data fields: reals with Nastran's implicit exponents, integer ids.
// Malformed text throws CBulkFieldError, so that the card is reported instead of read as zero.
#pragma once

#include <stdexcept>
#include <string_view>

class CBulkFieldError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// True when the field holds any character other than blanks, tabs and line ends.
bool IsFieldFilled(std::string_view field);

// A real in any fixed-field form, blanks around it allowed.
// "1.-3" is 1.0E-3 and "-2.5+2" is -250.0: the exponent may lack its E. "1.0D-3" is 1.0E-3.
// A blank field gives 0.0; an exponent that underflows ("1.-400") gives 0.0. Text after the
// number or a second value in the field ("1.5 3", "2.0x") throws.
double ParseBulkField(std::string_view field);

// A whole number that fits 32 bits, between blanks. A blank field gives 0; "7 9" and "12abc"
// throw.
int ParseBulkInt(std::string_view field);

// The leading digits of the field as atoi reads them ("1.5" gives 1; no digits give 0),
// clamped to 32 bits. For fields that are integers only by convention, such as a spring's
// stiffness that serves as its property id.
int ParseLeadingInt(std::string_view field);
