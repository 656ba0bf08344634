// In order: control/ builds on geometry/ and host/.
#pragma once

#include <vector>

#include "geometry/bound.h"
#include "host/cad.h"
