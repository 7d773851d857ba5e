// One input as the bytes of an observation file, parsed by the reader of its kind on
// the scripted window, then shown and reduced as the import does. Built once per
// extension (TA_FUZZ_EXTENSION). Besides the sanitizers it checks that a reader either
// refuses with exactly one message or reads sound records (distances positive, angles in
// range), that the table is never written out of range and that every reduced distance
// is finite (a denormal slope distance may reduce to 0).
#include "FuzzWindow.h"
#include "read/CheckedNumbers.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

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
    const int read =
        kExtension == ".con" ? dlg.ReadConBuffer(bytes, name) : dlg.ReadTxtBuffer(bytes, name);
    if (read != 1) {
        if (port.messageIds.size() != 1) std::abort();
        return 0;
    }
    if (!port.messageIds.empty() || dlg.m_arrObservations.IsEmpty()) std::abort();
    for (const ObservationRecord& r : dlg.m_arrObservations)
        if (!Sound(r)) std::abort();
    dlg.FillObservationTable();
    dlg.ReduceSlopeDistances();
    for (const ObservationRecord& r : dlg.m_arrObservations)
        if (!(r.dDistance >= 0.0) || !std::isfinite(r.dDistance)) std::abort();
    if (port.grid.outOfRangeWrites != 0) std::abort();
    return 0;
}
