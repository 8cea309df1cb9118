#pragma once
// The Sun's apparent geocentric longitude and the difference TT - UT, for the solar terms.

class cSunPosition {
public:
    // Apparent longitude in degrees, 0 <= result < 360, at the Julian Ephemeris Day `jde` (TT).
    static double apparentLongitude(double jde);
    // TT - UT in seconds for a decimal Gregorian year (valid 1900 ... 2050).
    static double deltaT(double year);
};
