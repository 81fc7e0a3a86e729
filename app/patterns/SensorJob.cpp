#include "patterns/SensorJob.h"

#include "patterns/PrintJobStarter.h"

namespace patterns {
namespace {

// The engine's job that reads the sensor byte and writes the report.
constexpr int kSensorSelector = 0;
constexpr int kSensorItem = 13;

}  // namespace

bool RunSensorJobFromConfig(IJobMessages& messages, std::string& report) {
    PrintJobRecord job;
    StartPrintJobFromConfig(messages, kSensorSelector, kSensorItem, job);
    report = job.sensorReport;
    return !job.Failed();
}

}  // namespace patterns
