// U_Location: the counted handle to immutable location data; null means no location.
#pragma once

#include "U_Ref.h"

class U_LocationData;
using U_Location = U_Handle<U_LocationData>;
