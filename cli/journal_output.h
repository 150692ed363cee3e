#pragma once

// undo, restore and history in words or JSON, on standard output.

#include "cli/journal_reports.h"

#include <ostream>

namespace quorvell::cli {

void printText(std::ostream& out, const WayBackReport& report);
void printText(std::ostream& out, const HistoryReport& report);
void printJson(std::ostream& out, const WayBackReport& report);
void printJson(std::ostream& out, const HistoryReport& report);

} // namespace quorvell::cli
