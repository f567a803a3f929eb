#pragma once

// The toolkit's whole public interface; a program includes only this header.
#include "lumo/Export.h"
#include "lumo/Platform.h"

#include "lumo/MObject.h"
#include "lumo/Manager.h"
