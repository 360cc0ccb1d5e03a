#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace hz {

// Every record file of one company, in a fixed order: the ones the chains read and write.
QStringList companyRecordPaths(std::int32_t code);

// Runs pass, then runs it again while it changed any record of the company, so that the figures that travel
// between the schedules have settled when it returns: one more pass would save the same bytes. Stops after
// maxPasses passes in all, settled or not (a chain that never settles is a fault of the chain, not a reason to
// hang). Returns the number of passes run.
int settleRecords(std::int32_t code, const std::function<void()> &pass, int maxPasses = 4);

} // namespace hz
