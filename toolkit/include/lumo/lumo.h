#pragma once

// The toolkit's whole public interface; a program includes only this header.
#include "lumo/Export.h"
#include "lumo/Platform.h"

#include "lumo/Types.h"
#include "lumo/CriticalSection.h"
#include "lumo/MObject.h"
#include "lumo/Manager.h"
#include "lumo/MWindow.h"
#include "lumo/MRender.h"
#include "lumo/ImgResInfo.h"
#include "lumo/ImageCache.h"
#include "lumo/MControl.h"
#include "lumo/MControlFont.h"
#include "lumo/RKTimer.h"
#include "lumo/CIDropTarget.h"
#include "lumo/MShadow.h"
#include "lumo/PaintManager.h"
#include "lumo/MAirBladder.h"
#include "lumo/MDialog.h"
