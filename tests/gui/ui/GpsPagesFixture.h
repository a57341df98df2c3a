#pragma once
// One fixture serves every page of the sheet.
#include "engine/gps/SerialPort.h"
#include "gui/ui/PropertySheetFixture.h"
