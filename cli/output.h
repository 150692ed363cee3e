#pragma once

// The reports put into words for people, or into one JSON document for
// scripts; both on standard output.

#include "cli/reports.h"

#include <ostream>

namespace quorvell::cli {

void printText(std::ostream& out, const StatusReport& report);
void printText(std::ostream& out, const ListReport& report);
void printText(std::ostream& out, const PresetsReport& report);
void printText(std::ostream& out, const ChangeReport& report);
void printText(std::ostream& out, const ShowReport& report);

void printJson(std::ostream& out, const StatusReport& report);
void printJson(std::ostream& out, const ListReport& report);
void printJson(std::ostream& out, const PresetsReport& report);
void printJson(std::ostream& out, const ChangeReport& report);
void printJson(std::ostream& out, const ShowReport& report);

} // namespace quorvell::cli
