#include "documents/DocumentFace.h"

#include <algorithm>

namespace {

const FaceWidth* find(char16_t code) {
    const auto it =
        std::lower_bound(DocumentFaceWidths.begin(), DocumentFaceWidths.end(), code,
                         [](const FaceWidth& entry, char16_t key) { return entry.code < key; });
    return it != DocumentFaceWidths.end() && it->code == code ? &*it : nullptr;
}

} // namespace

double DocumentCharEm(QChar c, bool bold) {
    // A zero-width space only marks where a line may break; a no-break
    // space is as wide as a space.
    if (c.unicode() == 0x200b)
        return 0;
    const FaceWidth* entry = find(c.unicode() == 0x00a0 ? u' ' : c.unicode());
    if (!entry)
        entry = find(u'n');
    return (bold ? entry->bold : entry->plain) / 1000.0;
}

double DocumentLineEm() {
    const FaceVerticalMetrics& v = DocumentFaceVertical;
    return (v.ascender + v.descender + v.lineGap) / 1000.0;
}
