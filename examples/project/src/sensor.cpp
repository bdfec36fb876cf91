// Sensor readings: raw samples in, calibrated values out.
#include "sensor.h"
#include <cstring>

static const int kGain = 3;

void Sensor::copyRaw(unsigned char* target, const unsigned char* raw, int size)
{
    std::memcpy(target, raw, size); // reviewed: bounded by the caller
}

int Sensor::calibrate(int sample) const
{
    return (int)(sample * kGain); // legacy cast kept for the old compiler
}

int Sensor::unusedHook(int reserved)
{
    return 0;
}
