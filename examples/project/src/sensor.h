// A sensor that calibrates raw samples.
#pragma once

#define SENSOR_CHANNELS 4

class Sensor {
public:
    void copyRaw(unsigned char* target, const unsigned char* raw, int size);
    int calibrate(int sample) const;
    int unusedHook(int reserved);
};
