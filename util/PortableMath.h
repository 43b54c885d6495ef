// PortableMath.h: sine, cosine and arc tangent computed by the command itself. The C libraries
// differ in the last bits (MinGW-w64 takes the x87 instructions: its cos of the double nearest
// pi/2 is 6.12303e-17 where glibc's is 6.12323e-17), and those bits reach the exchange file.
// These work in double-double arithmetic (about 106 bits) and round once at the end, so they
// give the correctly rounded result in all but astronomically rare cases, and the very same
// bits on every platform. Private to util/.
#pragma once

namespace portable {

double Sin(double x);
double Cos(double x);
// atan2 with the C library's conventions for zeros, infinities and NaN.
double Atan2(double y, double x);

}  // namespace portable
