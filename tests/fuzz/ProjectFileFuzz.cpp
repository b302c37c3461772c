// The data-file reader under libFuzzer. Whatever the reader accepts must
// write back, and the file written back must read as the same project and
// write again as the same bytes; anything else stops the fuzzer with the
// input that showed it.
#include "core/file/ProjectFile.h"
#include "core/model/Project.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* why) {
    std::fprintf(stderr, "round trip: %s\n", why);
    std::abort();
}

bool sameProject(const Project& a, const Project& b) {
    return a.water.count() == b.water.count() && a.gas.count() == b.gas.count() &&
           a.water.table() == b.water.table() && a.gas.table() == b.gas.table() &&
           a.cover == b.cover && a.extension() == b.extension();
}

// The project a file gives, and the bytes that project writes.
struct Reading {
    Project project;
    QByteArray written;
};

bool read(const QByteArray& bytes, Reading& out) {
    Result<ProjectData> parsed = ParseProjectFile(bytes);
    if (!parsed)
        return false;
    out.project.replace(std::move(parsed).value());
    Result<QByteArray> built = BuildProjectFile(out.project);
    if (!built)
        fail("a file that was read cannot be written back");
    out.written = std::move(built).value();
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
    if (!sameProject(first.project, second.project))
        fail("the file written back reads as another project");
    if (second.written != first.written)
        fail("the file written back writes other bytes");
    return 0;
}
