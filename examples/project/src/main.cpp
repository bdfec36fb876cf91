// Reads a few samples and prints their calibrated values.
#include "sensor.h"
#include <cstdio>
#include <cstring>

int main()
{
    Sensor sensor;
    for (int i = 0; i < SENSOR_CHANNELS; ++i)
        std::printf("%d\n", sensor.calibrate((int)i)); // legacy cast kept for the old compiler
    long total = (long)sensor.calibrate(7);
    unsigned char raw[4] = {1, 2, 3, 4}, copy[4];
    std::memcpy(copy, raw, sizeof raw);
    return 0;
}
