// A feature's profile: loops (components 3) drawn in the profile plane, whose origin is the
// profile's position component (4) in the feature frame.
#pragma once

#include "host/Component.h"

namespace host {

class Profile : public ComponentOwner {};

}  // namespace host
