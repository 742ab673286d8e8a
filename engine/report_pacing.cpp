#include "engine/report_pacing.h"

bool reportAfterRow(int row, int height, ReportClock::duration sinceLastReport)
{
    return row == 0 || row >= height - 1 || sinceLastReport >= reportInterval;
}
