// One input as the bytes of an observation file, read by the reader of its kind, then
// shown on the scripted window and reduced as the import does. Built once per extension
// (TA_FUZZ_EXTENSION). Besides the sanitizers it checks that a reader either refuses
// and gives nothing or reads sound records (distances positive, angles in range), that
// the table is never written out of range and that every reduced distance is finite (a
// denormal slope distance may reduce to 0).
#include "FuzzWindow.h"
#include "read/CheckedNumbers.h"
#include "read/ObservationReaders.h"
#include "read/SlopeReduction.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace traverse;

extern "C" const char* __ubsan_default_options() { return "halt_on_error=1:print_stacktrace=1"; }

namespace {
constexpr std::string_view kExtension = TA_FUZZ_EXTENSION;

bool Sound(const ObservationRecord& r) {
    return r.dDistance > 0.0 && std::isfinite(r.dDistance) &&
           AngleInRange(r.dHorizontalAngle, AngleKind::Circle) &&
           AngleInRange(r.dVerticalAngle, AngleKind::Zenith) &&
           std::isfinite(r.dInstrumentHeight) && std::isfinite(r.dTargetHeight);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FakeWindowPort& port = FuzzWindow();
    CTraverseAdjustDlg dlg(&port);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string name = std::string("fuzz") + std::string(kExtension);
    ReadResult read =
        kExtension == ".con" ? ReadConObservations(bytes, name) : ReadTxtObservations(bytes, name);
    if (read.refusal) {
        if (!read.observations.empty() || read.refusal->messageId == 0) std::abort();
        return 0;
    }
    if (read.observations.empty()) std::abort();
    for (const ObservationRecord& r : read.observations) {
        if (!Sound(r)) std::abort();
        dlg.m_arrObservations.Add(r);
    }
    dlg.FillObservationTable();
    ReduceSlopeDistances(read.observations);
    for (const ObservationRecord& r : read.observations)
        if (!(r.dDistance >= 0.0) || !std::isfinite(r.dDistance)) std::abort();
    if (port.grid.outOfRangeWrites != 0) std::abort();
    return 0;
}
