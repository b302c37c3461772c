// The data-file reader under libFuzzer. Whatever the reader accepts must
// write back, and the file written back must read as the same project and
// write again as the same bytes; anything else stops the fuzzer with the
// input that showed it.
#include "core/file/ProjectFile.h"
#include "core/session/ApplicationState.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* why) {
    std::fprintf(stderr, "round trip: %s\n", why);
    std::abort();
}

bool sameProject(const ApplicationState& a, const ApplicationState& b) {
    return a.WaterRowCount == b.WaterRowCount && a.GasRowCount == b.GasRowCount &&
           a.water == b.water && a.gas == b.gas && a.cover == b.cover && a.extension == b.extension;
}

// The state a file gives, and the bytes that state writes.
struct Reading {
    ApplicationState state;
    QByteArray written;
};

bool read(const QByteArray& bytes, Reading& out) {
    auto parsed = ParseProjectFile(bytes);
    if (!std::holds_alternative<ProjectData>(parsed))
        return false;
    ApplyProjectData(out.state, std::get<ProjectData>(std::move(parsed)));
    auto built = BuildProjectFile(out.state.project);
    if (!std::holds_alternative<QByteArray>(built))
        fail("a file that was read cannot be written back");
    out.written = std::get<QByteArray>(std::move(built));
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Reading first;
    if (!read(bytes, first))
        return 0;
    Reading second;
    if (!read(first.written, second))
        fail("the file written back is refused");
    if (!sameProject(first.state, second.state))
        fail("the file written back reads as another project");
    if (second.written != first.written)
        fail("the file written back writes other bytes");
    return 0;
}
