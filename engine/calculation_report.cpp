#include "engine/calculation_report.h"

CalculationReport* theCalculationReport = nullptr;
