#pragma once
// One fixture serves every page of the sheet.
#include "gui/ui/PropertySheetFixture.h"

#include <QApplication>
